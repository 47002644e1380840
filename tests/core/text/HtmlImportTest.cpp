// Reading the body tag of an HTML file into the scheme.
#include "HtmlFiles.h"
#include "Printers.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace std::string_literals;

namespace {

// A scheme far from the defaults, so that a reset is visible.
Scheme Scrambled()
{
    Scheme s;
    s.bgcolor = s.text = s.link = s.vlink = s.alink = 0x00123456;
    s.topmargin = s.sidemargin = 42;
    s.useback = s.watermark = 1;
    s.background.Assign("old.gif");
    return s;
}

// The scrambled scheme after the reset that starts every import.
Scheme ResetKeepingBackground()
{
    Scheme s = Scrambled();
    s.ResetScheme();
    return s;
}

struct ImportRow
{
    const char* what;
    std::string file;
    std::function<void(Scheme&)> expect; // changes from ResetKeepingBackground()
};

const ImportRow kImportRows[] = {
    {"bare tag", "<body>", [](Scheme&) {}},
    {"upper case, quoted and not", "<BODY BGCOLOR=#FFCC00 TEXT=\"#000080\">",
     [](Scheme& s) { s.bgcolor = 0x0000CCFF, s.text = 0x00800000; }},
    {"fixed image", "<body background=\"images/back.gif\" bgproperties=\"FIXED\">",
     [](Scheme& s) { s.background.Assign("images/back.gif"), s.useback = 1, s.watermark = 1; }},
    {"scrolling image keyword", "<body bgproperties=\"scroll\">", [](Scheme&) {}},
    {"fixed in mixed case without image", "<body bgproperties=Fixed>", [](Scheme& s) { s.watermark = 1; }},
    {"fixed with a suffix", "<body bgproperties=fixedx>", [](Scheme&) {}},
    {"margins", "<body leftmargin=\"0\" topmargin=\"-1\">", [](Scheme& s) { s.sidemargin = 0, s.topmargin = -1; }},
    {"later attribute wins", "<body text=\"#ff0000\" text=\"#00ff00\">", [](Scheme& s) { s.text = 0x0000FF00; }},
    {"unknown attribute", "<body onload=\"init()\" bgcolor=\"#ffffff\">", [](Scheme& s) { s.bgcolor = 0x00FFFFFF; }},
    {"no > at the end of the file", "<body bgcolor=#123456", [](Scheme& s) { s.bgcolor = 0x00563412; }},
    {"names in any case, all nine",
     "<body BgColor=#010203 TEXT=#040506 Link=#070809 vLink=#0a0b0c ALINK=#0D0E0F "
     "BackGround=a.png BGPROPERTIES=fixed LeftMargin=7 TOPMARGIN=+8>",
     [](Scheme& s) {
         s.bgcolor = 0x00030201, s.text = 0x00060504, s.link = 0x00090807, s.vlink = 0x000C0B0A;
         s.alink = 0x000F0E0D, s.background.Assign("a.png"), s.useback = s.watermark = 1;
         s.sidemargin = 7, s.topmargin = 8;
     }},
    {"names must match whole", "<body textx=#ff0000 tex=#ff0000 link=#0000ff>", [](Scheme& s) { s.link = 0x00FF0000; }},
    {"decimal with trailing garbage", "<body leftmargin=12px topmargin=auto>",
     [](Scheme& s) { s.sidemargin = 12, s.topmargin = 0; }},
    {"negative margin", "<body leftmargin=-2 topmargin=150>", [](Scheme& s) { s.sidemargin = -2, s.topmargin = 150; }},
    {"colour names are not read, yet explicit", "<body bgcolor=white>", [](Scheme& s) { s.bgcolor = 0; }},
    {"quotes are separators", "<body bgcolor = \"#ffffff\" text=#ff0000 link=\"#00ff00\">",
     [](Scheme& s) { s.bgcolor = 0x00FFFFFF, s.text = 0x000000FF, s.link = 0x0000FF00; }},
    {"a value ends at a blank", "<body background=\"my picture.gif\" bgcolor=\"#ffffff\">",
     [](Scheme& s) { s.background.Assign("my"), s.useback = 1; }},
    {"single quotes are ordinary bytes", "<body bgcolor='#ffffff'>", [](Scheme& s) { s.bgcolor = 0; }},
    {"empty value puts names and values out of step", "<body bgcolor=\"\" text=\"#ff0000\" link=\"#00ff00\">",
     [](Scheme& s) { s.bgcolor = 0; }},
    {"19-byte name is read in step", "<body aaaaaaaaaaaaaaaaaaa=\"x\" bgcolor=\"#ffffff\">",
     [](Scheme& s) { s.bgcolor = 0x00FFFFFF; }},
    {"20-byte name puts reading out of step", "<body aaaaaaaaaaaaaaaaaaaa=\"x\" bgcolor=\"#ffffff\">", [](Scheme&) {}},
    {"49-byte value is used", "<body background=\"" + std::string(49, 'v') + "\" bgcolor=#ffffff>",
     [](Scheme& s) { s.background.Assign(std::string(49, 'v').c_str()), s.useback = 1, s.bgcolor = 0x00FFFFFF; }},
    {"50-byte value is skipped in step", "<body background=\"" + std::string(50, 'v') + "\" bgcolor=#ffffff>",
     [](Scheme& s) { s.bgcolor = 0x00FFFFFF; }},
    {"<bodyx matches", "<bodyx=\"1\" bgcolor=\"#ffffff\">", [](Scheme& s) { s.bgcolor = 0x00FFFFFF; }},
    {"first <body inside a comment wins", "<!-- <body text=\"#ff0000\"> -->\r\n<body bgcolor=\"#ffffff\">",
     [](Scheme& s) { s.text = 0x000000FF; }},
    {"all six white-space bytes", "<body\tbgcolor\v=\f\"#ffffff\"\r\ntext=#ff0000 link=#0000ff>",
     [](Scheme& s) { s.bgcolor = 0x00FFFFFF, s.text = 0x000000FF, s.link = 0x00FF0000; }},
    {"0xA0 is not white space", "<body\xA0 bgcolor=#ffffff>", [](Scheme&) {}},
    {"bytes 0x80-0xFF kept in the image path", "<html>\xFF\xFE<body background=\"caf\xE9\x80.gif\">",
     [](Scheme& s) { s.background.Assign("caf\xE9\x80.gif"), s.useback = 1; }},
    {"CR-only line ends", "<html>\r<BODY\rbgcolor=#ffffff\rtext=#ff0000>\r</html>",
     [](Scheme& s) { s.bgcolor = 0x00FFFFFF, s.text = 0x000000FF; }},
    {"NUL before the tag", "\0\0<html>\0<body bgcolor=#ffffff>"s, [](Scheme& s) { s.bgcolor = 0x00FFFFFF; }},
    {"NUL ends the attributes", "<body text=#ff0000 \0bgcolor=#ffffff>"s, [](Scheme& s) { s.text = 0x000000FF; }},
    {"value ended by NUL is dropped", "<body text=#ff0000\0 bgcolor=#ffffff>"s, [](Scheme&) {}},
    {"NUL right after <body", "<body\0 bgcolor=#ffffff>"s, [](Scheme&) {}},
};

TEST(HtmlImport, TableOfBodyTags)
{
    for (const ImportRow& row : kImportRows) {
        SCOPED_TRACE(row.what);
        Scheme expected = ResetKeepingBackground();
        row.expect(expected);
        Scheme scheme = Scrambled();
        EXPECT_EQ(ImportBodyText(CTextBuffer(row.file.data(), uint32_t(row.file.size())), scheme),
                  ImportResult::Imported);
        EXPECT_EQ(scheme, expected);
    }
}

TEST(HtmlImport, AttributeTextEndingMidToken)
{
    // The text may stop anywhere: a value that ends it still counts, a name does not.
    const struct
    {
        std::string_view text;
        COLORREF bgcolor;
    } rows[] = {{" bgcolor=#ffffff", 0x00FFFFFF}, {" bgcolor=", 0xFFFFFFFF}, {" bgcolor", 0xFFFFFFFF},
                {"bgcolor=#ff", 0x000000FF},      {"", 0xFFFFFFFF},          {"bgcolor=#ffffff text", 0x00FFFFFF}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.text));
        Scheme scheme;
        ApplyBodyAttributes(row.text, scheme);
        EXPECT_EQ(scheme.bgcolor, row.bgcolor);
    }
}

TEST(HtmlImport, FailedImportLeavesSchemeUntouched)
{
    CScratchDir dir;
    WriteBytes(dir.Path("file"), "<body bgcolor=#ffffff>");
    WriteBytes(dir.Path("page.html"), "<html><p>no body tag</p><bod y></html>");
    // Root reads any file: a folder, a missing file and a path under a file fail all the same.
    const struct
    {
        std::string path;
        ImportResult result;
    } rows[] = {{dir.Path("page.html"), ImportResult::NoBodyTag},
                {dir.Path("missing.html"), ImportResult::CannotRead},
                {dir.Path(""), ImportResult::CannotRead},
                {dir.Path("file/page.html"), ImportResult::CannotRead}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        Scheme scheme = Scrambled();
        EXPECT_EQ(ImportBodyTag(row.path.c_str(), scheme), row.result);
        EXPECT_EQ(scheme, Scrambled());
    }
}

TEST(HtmlImport, ReadsFileWithoutChangingIt)
{
    CScratchDir dir;
    const std::string path = dir.Path("page.html");
    const std::string content = "<html>\r\n<body bgcolor=\"#ffffff\" topmargin=3>\r\n</body></html>";
    WriteBytes(path, content);
    Scheme scheme = Scrambled();
    Scheme expected = ResetKeepingBackground();
    expected.bgcolor = 0x00FFFFFF;
    expected.topmargin = 3;
    EXPECT_EQ(ImportBodyTag(path.c_str(), scheme), ImportResult::Imported);
    EXPECT_EQ(scheme, expected);
    EXPECT_EQ(ReadBytes(path), content);
}

TEST(HtmlImport, LargeFileWithTagAtItsEnd)
{
    CScratchDir dir;
    const std::string path = dir.Path("large.html");
    std::string content;
    while (content.size() < (5u << 20))
        content += "<p>Line of text with <b>bold</b> and \xE9t\xE9, no tag of interest.</p>\r\n";
    content += "<BODY text=#00FF00>";
    WriteBytes(path, content);
    Scheme scheme;
    EXPECT_EQ(ImportBodyTag(path.c_str(), scheme), ImportResult::Imported);
    EXPECT_EQ(scheme.text, 0x0000FF00u);
}

} // namespace
