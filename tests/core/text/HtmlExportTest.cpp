// Writing the body tag into an HTML file.
#include "HtmlFiles.h"
#include "Printers.h"
#include "model/BodyTag.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include <unistd.h>

using namespace std::string_literals;

namespace {

constexpr std::string_view kTag = "<body text=\"#000000\">";

struct ExportRow
{
    const char* what;
    std::optional<std::string> before; // nothing: the file does not exist
    std::string after;
};

const ExportRow kExportRows[] = {
    {"missing file", std::nullopt, "<body text=\"#000000\">"},
    {"empty file", "", "<body text=\"#000000\">"},
    {"tag on its own line", "<html>\r\n<body bgcolor=\"#ffffff\">\r\n</body></html>",
     "<html>\r\n<body text=\"#000000\">\r\n<!-- body bgcolor=\"#ffffff\" -->\r\n</body></html>"},
    {"upper-case tag, no line end", "<HTML><BODY BGCOLOR=#FFFFFF></HTML>",
     "<HTML><body text=\"#000000\">\r\n<!-- BODY BGCOLOR=#FFFFFF --></HTML>"},
    {"LF file", "<html>\n<body>\n", "<html>\n<body text=\"#000000\">\n<!-- body -->\n"},
    {"CR file", "<html>\r<body>\r", "<html>\r<body text=\"#000000\">\r<!-- body -->\r"},
    {"no body tag", "<p>no body tag</p>", "<body text=\"#000000\"><p>no body tag</p>"},
    {"no > after the tag", "<p>x</p><body bgcolor=#fff\r\n",
     "<p>x</p><body text=\"#000000\">\r\n<!-- body bgcolor=#fff\r\n -->"},
    {"> in a quoted value", "<body title=\"a>b\">x", "<body text=\"#000000\">\r\n<!-- body title=\"a>b\" -->x"},
    {"only the tag a browser reads", "<!-- <body> -->\n<body>\n<body>",
     "<!-- <body> -->\n<body text=\"#000000\">\n<!-- body -->\n<body>"},
    {"old tag that would end the comment", "<body title=\"--> <!-- --!> ---\">",
     "<body text=\"#000000\">\r\n<!-- body title=\"- -> <!- - - -!> - - -\" -->"},
    {"bytes 0x80-0xFF and NULs kept", "\xFF\0<html>\r\n<body a\0b>\r\xE9\0\x80"s,
     "\xFF\0<html>\r\n<body text=\"#000000\">\r\n<!-- body a\0b -->\r\xE9\0\x80"s},
};

TEST(HtmlExport, TableOfFiles)
{
    CScratchDir dir;
    int page = 0;
    for (const ExportRow& row : kExportRows) {
        SCOPED_TRACE(row.what);
        const std::string path = dir.Path("page" + std::to_string(++page) + ".html");
        if (row.before)
            WriteBytes(path, *row.before);
        EXPECT_EQ(ExportBodyTag(path.c_str(), kTag, false), ExportResult::Exported);
        EXPECT_EQ(ReadBytes(path), row.after);
    }
}

TEST(HtmlExport, NewTagIsMadeKnowingTheOldOne)
{
    // As the main window does with the style option: the old style's other
    // declarations stay.
    const BodyTagMaker keepStyle = [](const BodyStartTag* old) {
        const TagAttribute* style = old ? old->Find("style") : nullptr;
        Scheme s;
        s.text = MakeColour(0, 0, 0x80);
        return BuildBodyTag(s, false, true, true, style ? std::string_view(style->value) : std::string_view());
    };
    const struct
    {
        std::string before, after;
    } rows[] = {
        {"<body style='font-family: &quot;A&amp;B&quot;; color: red; margin: 0'>",
         "<body text=\"#000080\" style=\"font-family: &quot;A&amp;B&quot;; margin: 0; color: #000080; margin-left: "
         "revert; margin-top: revert\">\r\n<!-- body style='font-family: &quot;A&amp;B&quot;; color: red; margin: "
         "0' -->"},
        {"<p>", "<body text=\"#000080\" style=\"color: #000080\"><p>"},
    };
    for (const auto& row : rows) {
        const BodyTagRewrite rewrite = PlanBodyTagRewrite(row.before, keepStyle);
        EXPECT_EQ(std::string(rewrite.before) + rewrite.replacement + std::string(rewrite.after), row.after);
    }
}

TEST(HtmlExport, SkipReadWritesTagAlone)
{
    CScratchDir dir;
    const std::string path = dir.Path("page.html");
    WriteBytes(path, "<html><body bgcolor=#ffffff></html>");
    EXPECT_EQ(ExportBodyTag(path.c_str(), kTag, true), ExportResult::Exported);
    EXPECT_EQ(ReadBytes(path), kTag);
}

TEST(HtmlExport, RepeatedExportsStackComments)
{
    CScratchDir dir;
    const std::string path = dir.Path("page.html");
    WriteBytes(path, "<html>\r\n<body bgcolor=\"#ffffff\">\r\n</body></html>");
    EXPECT_EQ(ExportBodyTag(path.c_str(), kTag, false), ExportResult::Exported);
    EXPECT_EQ(ExportBodyTag(path.c_str(), "<body text=\"#ff0000\">", false), ExportResult::Exported);
    EXPECT_EQ(ReadBytes(path), "<html>\r\n<body text=\"#ff0000\">\r\n<!-- body text=\"#000000\" -->\r\n"
                               "<!-- body bgcolor=\"#ffffff\" -->\r\n</body></html>");
    // The old tags' comments read back as comments: the last tag is the one found.
    Scheme scheme;
    EXPECT_EQ(ImportBodyTag(path.c_str(), scheme), ImportResult::Imported);
    EXPECT_EQ(scheme.text, 0x000000FFu);
}

TEST(HtmlExport, PercentSignsGoInLiterally)
{
    const BodyTagRewrite rewrite = PlanBodyTagRewrite("<body bgcolor=\"%s%n\">", "<body background=\"100%s%n%d.gif\">");
    EXPECT_EQ(rewrite.replacement, "<body background=\"100%s%n%d.gif\">\r\n<!-- body bgcolor=\"%s%n\" -->");
}

TEST(HtmlExport, UnreadableFileIsNeverOverwritten)
{
    // Root reads any regular file: a folder at the path is what exists yet cannot be read.
    CScratchDir dir;
    const std::string path = dir.Path("page.html");
    std::filesystem::create_directory(path);
    WriteBytes(path + "/inside.txt", "kept");
    EXPECT_EQ(ExportBodyTag(path.c_str(), kTag, false), ExportResult::CannotRead);
    EXPECT_EQ(ExportBodyTag(path.c_str(), kTag, true), ExportResult::CannotWrite);
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(ReadBytes(path + "/inside.txt"), "kept");
}

TEST(HtmlExport, UnwritableFolderLeavesEverythingAsItWas)
{
    CScratchDir dir;
    const std::string file = dir.Path("file");
    WriteBytes(file, "<body bgcolor=#ffffff>");
    EXPECT_EQ(ExportBodyTag((file + "/page.html").c_str(), kTag, false), ExportResult::CannotCreate);
    EXPECT_EQ(ReadBytes(file), "<body bgcolor=#ffffff>");
    // No temporary file left behind either.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path("")), {}), 1);
}

// A page with a second name is written in place, over the text it was read
// from: the text around the tag must come from what was read, not from the
// file. A large page is read ahead and copied while it is read; without a tag
// that copy is started over; a long comment is read the plain way. Every way
// gives the rewrite made in memory.
TEST(HtmlExport, LargePageReplacedOrWrittenInPlace)
{
    const std::string content = LargeMarkup();
    for (const std::string& page : {content + content + "<BODY>" + content, content + content + content,
                                    content + "<!--" + content + "-->" + "<BODY>" + content}) {
        const BodyTagRewrite plan = PlanBodyTagRewrite(page, kTag);
        const std::string expected = std::string(plan.before) + plan.replacement + std::string(plan.after);
        for (const bool secondName : {false, true}) {
            SCOPED_TRACE(secondName ? "written in place" : "replaced");
            CScratchDir dir;
            const std::string path = dir.Path("large.html");
            WriteBytes(path, page);
            if (secondName) {
                ASSERT_EQ(link(path.c_str(), dir.Path("other.html").c_str()), 0);
            }
            EXPECT_EQ(ExportBodyTag(path.c_str(), kTag, false), ExportResult::Exported);
            EXPECT_TRUE(ReadBytes(path) == expected);
            if (secondName) {
                EXPECT_TRUE(ReadBytes(dir.Path("other.html")) == expected);
            }
        }
    }
}

// A page cut while it is exported fails the save and stays as it was cut;
// an export that wins the race writes the rewrite of the whole page or of
// the part kept, and then may be cut itself.
TEST(HtmlExport, LargePageCutMeanwhileIsKept)
{
    const std::string content = LargeMarkup();
    const std::string page = content + content + "<BODY>" + content;
    const size_t kept = content.size() + content.size() / 2;
    const std::string cut = page.substr(0, kept);
    const BodyTagRewrite whole = PlanBodyTagRewrite(page, kTag), ofCut = PlanBodyTagRewrite(cut, kTag);
    const std::string wholeText = std::string(whole.before) + whole.replacement + std::string(whole.after);
    bool failed = false;
    for (int attempt = 0; attempt < 30 && !failed; ++attempt) {
        CScratchDir dir;
        const std::string path = dir.Path("large.html");
        WriteBytes(path, page);
        std::thread cutter([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(2 * attempt));
            EXPECT_EQ(truncate(path.c_str(), off_t(kept)), 0);
        });
        const ExportResult result = ExportBodyTag(path.c_str(), kTag, false);
        cutter.join();
        const std::string now = ReadBytes(path);
        failed = result == ExportResult::CannotWrite;
        if (failed) {
            EXPECT_TRUE(now == cut);
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path("")), {}), 1);
        } else {
            EXPECT_EQ(result, ExportResult::Exported);
            EXPECT_TRUE(now == wholeText.substr(0, kept) ||
                        now == std::string(ofCut.before) + ofCut.replacement + std::string(ofCut.after));
        }
    }
    EXPECT_TRUE(failed) << "the page was never cut while it was exported";
}

} // namespace
