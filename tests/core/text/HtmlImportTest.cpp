// Reading the body tag of an HTML file into the scheme.
#include "../fuzz/HtmlFuzz.h"
#include "HtmlFiles.h"
#include "Printers.h"
#include "core/model/BrowserCssCases.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace std::string_literals;
using namespace std::string_view_literals;

namespace {

// A scheme far from the defaults, so that a reset is visible.
Scheme Scrambled()
{
    Scheme s;
    s.bgcolor = s.text = s.link = s.vlink = s.alink = 0x00123456;
    s.topmargin = s.sidemargin = 42;
    s.useback = s.watermark = 1;
    s.background.assign("old.gif");
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

// Read a piece at a time, as a file is, or read ahead (with room for 4 kept
// bytes), a text gives the same tag, whatever the pieces' size.
void ExpectSameTagInPieces(std::string_view text)
{
    const std::optional<BodyStartTag> whole = FindBodyStartTag(text);
    for (const size_t piece : {1, 2, 3, 5, 8, 64}) {
        for (const CBodyTagScanner& scanner : {ScanInPieces(text, piece), ScanAheadInPieces(text, piece, 4)}) {
            EXPECT_TRUE(scanner.Tag() == whole) << piece << " bytes a piece";
            if (whole) {
                EXPECT_EQ(scanner.TagText(), text.substr(whole->begin, whole->end - whole->begin));
            }
        }
    }
}

void CheckImports(const std::vector<ImportRow>& rows)
{
    for (const ImportRow& row : rows) {
        SCOPED_TRACE(row.what);
        ExpectSameTagInPieces(row.file);
        Scheme expected = ResetKeepingBackground();
        row.expect(expected);
        Scheme scheme = Scrambled();
        EXPECT_EQ(ImportBodyText(CTextBuffer(row.file.data(), uint32_t(row.file.size())), scheme),
                  ImportResult::Imported);
        EXPECT_EQ(scheme, expected);
    }
}

const auto kWhite = [](Scheme& s) { s.bgcolor = 0x00FFFFFF; };

TEST(HtmlImport, TagWhereBrowserFindsIt)
{
    CheckImports({
        {"bare tag", "<body>", [](Scheme&) {}},
        {"comment", "<!-- <body text=red> -->\r\n<body bgcolor=white>", kWhite},
        {"comments that end early", "<!--><body bgcolor=white><!---> <!-- --!><body text=red>", kWhite},
        {"script", "<script>s = '<body text=red>';</script><BODY bgcolor=white>", kWhite},
        {"old script hiding a script",
         "<script><!-- w('<script></script><body text=red>'); //--></script><body bgcolor=white>", kWhite},
        {"style, textarea, title",
         "<style><body text=red></style><textarea><body text=red></TEXTAREA ><title><body "
         "text=red></title><body bgcolor=white>",
         kWhite},
        {"noscript, xmp, iframe",
         "<noscript><body text=red></noscript><xmp><body text=red></xmp><iframe><body "
         "text=red></iframe><body bgcolor=white>",
         kWhite},
        {"template contents", "<template><body text=red></template><body bgcolor=white>", kWhite},
        {"names in any case",
         "<SCRIPT>'<body text=red>'</Script><TeMpLaTe><body text=red></TEMPLATE><bOdY bgcolor=white>", kWhite},
        {"attribute value of another tag", "<a title=\"<body text=red>\"><body bgcolor=white>", kWhite},
        {"doctype, end tag, bogus comment",
         "<!DOCTYPE html><? <body text=red> ></p <body text=red>><body bgcolor=white>", kWhite},
        {"<tbody> and <bodyx>", "<tbody text=red><bodyx text=red><body bgcolor=white>", kWhite},
        {"> in a quoted value", "<body title='a>b' bgcolor=white>", kWhite},
        {"no > before the end", "<body bgcolor=white", kWhite},
        {"CR-only lines", "<html>\r<BODY\rbgcolor=white\rtext=#ff0000>\r</html>",
         [](Scheme& s) { s.bgcolor = 0x00FFFFFF, s.text = 0x000000FF; }},
        {"NUL bytes before and in the tag", "\0<body\0 text=red><body bgcolor=#ffffff>"s, kWhite},
    });
}

TEST(HtmlImport, AttributeSyntax)
{
    CheckImports({
        {"three quoting styles, blanks around =", "<body bgcolor = 'white' text=\"#ff0000\" link=#0000ff>",
         [](Scheme& s) { s.bgcolor = 0x00FFFFFF, s.text = 0x000000FF, s.link = 0x00FF0000; }},
        {"names in any case, all nine",
         "<body BgColor=#010203 TEXT=#040506 Link=#070809 vLink=#0a0b0c ALINK=#0D0E0F "
         "BackGround=a.png BGPROPERTIES=fixed LeftMargin=7 TOPMARGIN=+8>",
         [](Scheme& s) {
             s.bgcolor = 0x00030201, s.text = 0x00060504, s.link = 0x00090807, s.vlink = 0x000C0B0A;
             s.alink = 0x000F0E0D, s.background.assign("a.png"), s.useback = s.watermark = 1;
             s.sidemargin = 7, s.topmargin = 8;
         }},
        {"first of repeats wins", "<body text=\"#ff0000\" TEXT=\"#00ff00\">", [](Scheme& s) { s.text = 0x000000FF; }},
        {"no blank after a quoted value, '/' between", "<body/bgcolor=\"white\"text=red />",
         [](Scheme& s) { s.bgcolor = 0x00FFFFFF, s.text = 0x000000FF; }},
        {"'/' ends no unquoted value", "<body bgcolor=lime/>", [](Scheme& s) { s.bgcolor = MakeColour(0, 14, 0); }},
        {"VT is no blank", "<body\vbgcolor=white><body text=red>", [](Scheme& s) { s.text = 0x000000FF; }},
        {"references", "<body bgcolor=&#x77;hite text=\"&#35;f00\" background='a&amp;b&quot;&lt;&eacute;.gif'>",
         [](Scheme& s) {
             s.bgcolor = 0x00FFFFFF, s.text = 0x000000FF, s.useback = 1;
             s.background.assign("a&b\"<\xC3\xA9.gif");
         }},
        {"references without ';'", "<body background=\"&copy 1&copy1&not=&amp\">",
         [](Scheme& s) { s.background.assign("\xC2\xA9 1&copy1&not=&"), s.useback = 1; }},
        {"numeric references", "<body background=\"&#128;&#0;&#x110000;&#65\">",
         [](Scheme& s) {
             s.background.assign("\xE2\x82\xAC\xEF\xBF\xBD\xEF\xBF\xBD"
                                 "A"),
                 s.useback = 1;
         }},
    });
}

TEST(HtmlImport, ValuesAsBrowserTakesThem)
{
    CheckImports({
        {"named, #rgb and legacy colours", "<body bgcolor=orange text=#fff link=chucknorris vlink=ffffff>",
         [](Scheme& s) {
             s.bgcolor = MakeColour(255, 165, 0), s.text = 0x00FFFFFF, s.link = MakeColour(192, 0, 0);
             s.vlink = 0x00FFFFFF;
         }},
        {"empty and transparent leave the default", "<body bgcolor=\"\" text=transparent link>", [](Scheme&) {}},
        {"image path: blanks around dropped, inside kept", "<body background=\" img/home screen.png \n\">",
         [](Scheme& s) { s.background.assign("img/home screen.png"), s.useback = 1; }},
        {"blank image path is no image", "<body background=\"  \" bgproperties=FIXED>",
         [](Scheme& s) { s.watermark = 1; }},
        {"bgproperties other than fixed", "<body bgproperties=fixedx>", [](Scheme&) {}},
        {"margins", "<body leftmargin='50' topmargin=\"0\">", [](Scheme& s) { s.sidemargin = 50, s.topmargin = 0; }},
        {"marginwidth and marginheight first", "<body leftmargin=9 marginwidth=3 topmargin=9 marginheight=4>",
         [](Scheme& s) { s.sidemargin = 3, s.topmargin = 4; }},
        {"an unreadable first margin hides the other",
         "<body marginwidth=x leftmargin=9 marginheight=\"\" topmargin=9>", [](Scheme&) {}},
        {"margins that are no numbers", "<body leftmargin=-2 topmargin=auto>", [](Scheme&) {}},
        {"margin number forms", "<body leftmargin=\" 12px\" topmargin=\"50%\">",
         [](Scheme& s) { s.sidemargin = 12, s.topmargin = 50; }},
    });
}

TEST(BodyStartTag, OffsetsOfTagAndRawValues)
{
    const std::string_view text = "<p>\n<BODY  Style='a:b' style=x bgcolor = \"&amp;\" nowrap>rest";
    const std::optional<BodyStartTag> tag = FindBodyStartTag(text);
    ASSERT_TRUE(tag);
    EXPECT_EQ(text.substr(tag->begin, tag->end - tag->begin), "<BODY  Style='a:b' style=x bgcolor = \"&amp;\" nowrap>");
    ASSERT_EQ(tag->attributes.size(), 3u);
    const struct
    {
        std::string_view name, value, whole, raw;
    } expected[] = {{"style", "a:b", "Style='a:b'", "a:b"},
                    {"bgcolor", "&", "bgcolor = \"&amp;\"", "&amp;"},
                    {"nowrap", "", "nowrap", ""}};
    for (size_t i = 0; i < 3; ++i) {
        const TagAttribute& attribute = tag->attributes[i];
        EXPECT_EQ(attribute.name, expected[i].name);
        EXPECT_EQ(attribute.value, expected[i].value);
        EXPECT_EQ(text.substr(attribute.begin, attribute.end - attribute.begin), expected[i].whole);
        EXPECT_EQ(text.substr(attribute.valueBegin, attribute.valueEnd - attribute.valueBegin), expected[i].raw);
    }
    EXPECT_FALSE(FindBodyStartTag("<!-- <body> --><plaintext><body>"));
    for (const std::string_view other :
         {text, "<!-- <body> --><plaintext><body>"sv, "<body"sv, ""sv,
          "<script><!--<script></script>-->a</script><template></template><body>"sv, "<plaintextx><body>"sv})
        ExpectSameTagInPieces(other);
}

TEST(HtmlImport, StyleWinsOverTheAttributesAsInChromium)
{
    for (const BrowserCssCase& c : kBrowserCssCases) {
        if (!*c.attributes)
            continue; // cases of the style alone
        const std::string file = "<!DOCTYPE html><body "s + c.attributes + " style=\"" + c.style + "\">";
        SCOPED_TRACE(file);
        Scheme s = Scrambled();
        ASSERT_EQ(ImportBodyText(CTextBuffer(file.data(), uint32_t(file.size())), s), ImportResult::Imported);
        EXPECT_EQ(ComputedColour(s.bgcolor, "rgba(0, 0, 0, 0)"), c.bgcolor);
        EXPECT_EQ(ComputedColour(s.text, "rgb(0, 0, 0)"), c.color);
        EXPECT_EQ(ComputedImage(s.useback, s.background), c.image == "initial"s ? "none" : c.image);
        EXPECT_EQ(s.watermark ? "fixed" : "scroll", FirstLayer(c.attachment) == "fixed" ? "fixed" : "scroll");
        EXPECT_EQ(ComputedMargin(s.sidemargin), c.marginLeft);
        EXPECT_EQ(ComputedMargin(s.topmargin), c.marginTop);
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

// A large file is read a piece ahead of the scan; a construct longer than the
// room kept for it, such as a long comment or script, is read the plain way.
TEST(HtmlImport, LargeFileWithTagAtItsEnd)
{
    const std::string markup = LargeMarkup();
    const std::string decoy = "<body text=#FF0000>";
    for (const std::string& before :
         {markup, "<!--" + markup + decoy + "-->" + markup, "<script>" + markup + decoy + "</script>"}) {
        CScratchDir dir;
        const std::string path = dir.Path("large.html");
        WriteBytes(path, before + "<BODY text=#00FF00>");
        Scheme scheme;
        EXPECT_EQ(ImportBodyTag(path.c_str(), scheme), ImportResult::Imported);
        EXPECT_EQ(scheme.text, 0x0000FF00u) << before.substr(0, 8);
    }
}

} // namespace
