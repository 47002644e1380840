#include "model/BodyTag.h"
#include "Printers.h"
#include "SampleSchemes.h"

#include <gtest/gtest.h>

TEST(BodyTag, WorkedExamples)
{
    EXPECT_EQ(BuildBodyTag(Scheme(), false, true), "<body>");
    EXPECT_EQ(BuildBodyTag(Scheme(), true, false), "<BODY>");
    EXPECT_EQ(BuildBodyTag(WorkedExample(), false, true),
              "<body bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#0000FF\" alink=\"#FF0000\" "
              "background=\"images/fond.gif\" bgproperties=\"fixed\" leftmargin=\"10\" topmargin=\"0\">");
    EXPECT_EQ(BuildBodyTag(WorkedExample(), true, false),
              "<BODY BGCOLOR=\"#ffffff\" TEXT=\"#000000\" LINK=\"#0000ff\" ALINK=\"#ff0000\" "
              "BACKGROUND=\"images/fond.gif\" BGPROPERTIES=\"FIXED\" LEFTMARGIN=\"10\" TOPMARGIN=\"0\">");
}

TEST(BodyTag, ImageAttributes)
{
    Scheme s;
    s.watermark = 1;
    s.background.assign("a.gif");
    EXPECT_EQ(BuildBodyTag(s, false, true), "<body>") << "watermark without useback writes nothing";

    s.watermark = 0;
    s.useback = 1;
    s.background.assign("");
    EXPECT_EQ(BuildBodyTag(s, false, true), "<body background=\"\">");

    s.background.assign("My \"Pics\"/Fond.GIF?a=1&amp;b=&#34;");
    EXPECT_EQ(BuildBodyTag(s, true, true), "<BODY BACKGROUND=\"My &quot;Pics&quot;/Fond.GIF?a=1&amp;amp;b=&amp;#34;\">")
        << "quotes and ampersands escaped, the rest of the path unchanged even with tags upper case";

    s.background.assign("Fond.GIF");
    s.useback = 7; // any non-zero byte counts as set
    s.watermark = 2;
    EXPECT_EQ(BuildBodyTag(s, false, true), "<body background=\"Fond.GIF\" bgproperties=\"fixed\">");
}

TEST(BodyTag, Margins)
{
    const struct
    {
        int32_t side, top;
        const char* tag;
    } rows[] = {
        {-1, -1, "<body>"},
        {0, -1, "<body leftmargin=\"0\">"},
        {-1, 0, "<body topmargin=\"0\">"},
        {-2, 150, "<body leftmargin=\"-2\" topmargin=\"150\">"},
        {100, 5, "<body leftmargin=\"100\" topmargin=\"5\">"},
        {INT32_MIN, INT32_MAX, "<body leftmargin=\"-2147483648\" topmargin=\"2147483647\">"},
    };
    for (const auto& row : rows) {
        Scheme s;
        s.sidemargin = row.side;
        s.topmargin = row.top;
        EXPECT_EQ(BuildBodyTag(s, false, false), row.tag);
    }
}

TEST(BodyTag, CaseOptionsTouchOnlyTheirOwnParts)
{
    Scheme s = WorkedExample();
    s.bgcolor = 0x00ABCDEF;
    s.background.assign("Img/abc.gif");
    const std::string lower = BuildBodyTag(s, false, false);
    const std::string upperHex = BuildBodyTag(s, false, true);
    EXPECT_NE(lower.find("bgcolor=\"#efcdab\""), std::string::npos);
    EXPECT_NE(upperHex.find("bgcolor=\"#EFCDAB\""), std::string::npos);
    EXPECT_NE(upperHex.find("background=\"Img/abc.gif\""), std::string::npos);
    const std::string upperTags = BuildBodyTag(s, true, false);
    EXPECT_NE(upperTags.find("BGCOLOR=\"#efcdab\""), std::string::npos);
    EXPECT_NE(upperTags.find("BACKGROUND=\"Img/abc.gif\""), std::string::npos);
}

TEST(BodyTag, DefaultColoursNeverShowTheirRgb)
{
    Scheme s;
    s.bgcolor = 0xFF123456;
    s.text = 0x01ABCDEF;
    EXPECT_EQ(BuildBodyTag(s, false, true), "<body>");
}

TEST(ApplyTagCase, OnlyAsciiLettersChange)
{
    EXPECT_EQ(ApplyTagCase(" bgColor=\"", true), " BGCOLOR=\"");
    EXPECT_EQ(ApplyTagCase(" BGCOLOR=\"", false), " bgcolor=\"");
    EXPECT_EQ(ApplyTagCase("\xC9t\xE9", true), "\xC9T\xE9");
}

TEST(BodyCss, EveryFieldInBothHexCasesAndDefaultsLeftOut)
{
    Scheme s = WorkedExample();
    s.vlink = MakeColour(0xAB, 0xCD, 0xEF);
    EXPECT_EQ(BuildBodyCss(s, true), "body {\n"
                                     "  background-color: #FFFFFF;\n"
                                     "  color: #000000;\n"
                                     "  background-image: url(\"images/fond.gif\");\n"
                                     "  background-attachment: fixed;\n"
                                     "  margin-left: 10px;\n"
                                     "  margin-top: 0px;\n"
                                     "}\n"
                                     "a:link {\n  color: #0000FF;\n}\n"
                                     "a:visited {\n  color: #ABCDEF;\n}\n"
                                     "a:active {\n  color: #FF0000;\n}\n");
    EXPECT_EQ(BuildBodyCss(Scheme(), true), "");

    Scheme links;
    links.vlink = MakeColour(0xAB, 0xCD, 0xEF);
    links.watermark = 1; // no image: nothing to fix
    links.background = "unused.gif";
    EXPECT_EQ(BuildBodyCss(links, false), "a:visited {\n  color: #abcdef;\n}\n");
}

TEST(BodyCss, ImageUrlReadsBackExactly)
{
    const struct
    {
        const char* path;
        const char* read; // as a browser takes the URL: tabs and line ends dropped
    } rows[] = {{"", ""},
                {"a b/c'd.gif", "a b/c'd.gif"},
                {"say \"x\".gif", "say \"x\".gif"},
                {"back\\slash.gif", "back\\slash.gif"},
                {"line\nbreak\t.gif", "linebreak.gif"},
                {"caf\xC3\xA9 (1).gif", "caf\xC3\xA9 (1).gif"},
                {"a)b;c}d.gif", "a)b;c}d.gif"}};
    for (const auto& [path, expected] : rows) {
        Scheme s;
        s.useback = 1;
        s.background = path;
        for (char quote : {'"', '\''}) {
            const std::string url = BuildBodyDeclarations(s, true, quote)[size_t(BodyProperty::BackgroundImage)];
            const BodyStyle read = ReadBodyStyle("background-image: " + url);
            EXPECT_EQ(read.useback, true) << url;
            EXPECT_EQ(read.background, expected) << url;
        }
    }
}

TEST(BodyTag, StyleAttributeHoldsTheBodyDeclarations)
{
    Scheme s = WorkedExample();
    s.background = "it's & \"it\".gif";
    EXPECT_EQ(BuildBodyTag(s, true, false, true).substr(BuildBodyTag(s, true, false).size() - 1),
              " STYLE=\"background-color: #ffffff; color: #000000; background-image: url('it\\'s &amp; "
              "&quot;it&quot;.gif'); background-attachment: fixed; margin-left: 10px; margin-top: 0px\">");
    EXPECT_EQ(BuildBodyTag(Scheme(), false, true, true), "<body>") << "all default: no style attribute";
    EXPECT_EQ(BuildBodyTag(Scheme(), false, true, false, "color: red"), "<body>") << "option off";
    EXPECT_EQ(BuildBodyTag(Scheme(), false, true, true, "font-size: 2em; color: red"),
              "<body style=\"font-size: 2em\">");
}
