#include "model/CssStyle.h"
#include "BrowserCssCases.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The browser's value as we expect to read it: "not read" where the page's
// rule shows through or the scheme cannot hold it.
std::string Expected(const BrowserCssCase& c, const char* property, const char* value, const char* pageRule)
{
    if (std::string(c.unread).find(property) != std::string::npos || std::string(value) == pageRule)
        return "not read";
    return value;
}

} // namespace

TEST(ReadBodyStyle, ReadsWhatChromiumComputes)
{
    const std::string notRead = "not read";
    for (const BrowserCssCase& c : kBrowserCssCases) {
        if (*c.attributes)
            continue; // cases of the import, with the tag's attributes
        const BodyStyle read = ReadBodyStyle(c.style);
        EXPECT_EQ(read.bgcolor ? ComputedColour(*read.bgcolor, "rgba(0, 0, 0, 0)") : notRead,
                  Expected(c, "background-color", c.bgcolor, "rgb(1, 2, 3)"))
            << c.style;
        EXPECT_EQ(read.text ? ComputedColour(*read.text, "rgb(0, 0, 0)") : notRead,
                  Expected(c, " color", c.color, "rgb(4, 5, 6)"))
            << c.style;
        std::string image = Expected(c, "background-image", c.image, "unset");
        if (image == "initial" || image == "inherit")
            image = "none"; // as the shorthand sets it; the html element has none either
        EXPECT_EQ(read.useback ? ComputedImage(*read.useback, read.background) : notRead, image) << c.style;
        const std::string attachment = FirstLayer(c.attachment);
        EXPECT_EQ(!read.fixed   ? notRead
                  : *read.fixed ? "fixed"
                                : "scroll",
                  attachment == "local" ? notRead : attachment)
            << c.style;
        EXPECT_EQ(read.sidemargin ? ComputedMargin(*read.sidemargin) : notRead,
                  Expected(c, "margin-left", c.marginLeft, "7px"))
            << c.style;
        EXPECT_EQ(read.topmargin ? ComputedMargin(*read.topmargin) : notRead,
                  Expected(c, "margin-top", c.marginTop, "9px"))
            << c.style;
    }
}

TEST(ReadBodyStyle, MalformedTextReadsAsNothing)
{
    for (const char* junk : {"", ";;;", "color", "color:", "}", "{", "url(", "color: url(", "\"unclosed",
                             "margin: 1px 2px 3px 4px 5px 6px", "/* color: red", "color: #", "background: ,",
                             "background-image: url(a), ", "\\", "color: \\"}) {
        const BodyStyle read = ReadBodyStyle(junk);
        EXPECT_FALSE(read.bgcolor || read.text || read.useback || read.fixed || read.sidemargin || read.topmargin)
            << junk;
    }
}

TEST(ApplyBodyStyle, SetPropertiesOnlyAndDefaultsAsTheSchemeKeepsThem)
{
    Scheme s;
    s.bgcolor = MakeColour(1, 2, 3);
    s.text = MakeColour(4, 5, 6);
    s.useback = 1;
    s.background = "old.gif";
    s.sidemargin = 20;
    ApplyBodyStyle(ReadBodyStyle("background-color: transparent; margin-top: 5px; margin-left: revert"), s);
    EXPECT_EQ(s.bgcolor, Scheme().bgcolor);
    EXPECT_EQ(s.text, MakeColour(4, 5, 6));
    EXPECT_EQ(s.useback, 1);
    EXPECT_EQ(s.topmargin, 5);
    EXPECT_EQ(s.sidemargin, -1);

    ApplyBodyStyle(ReadBodyStyle("background: url(new.gif) fixed"), s);
    EXPECT_EQ(s.background, "new.gif");
    EXPECT_EQ(s.watermark, 1);
    for (const char* none : {"background-image: none", "background-image: url('')"}) {
        s.useback = 1;
        ApplyBodyStyle(ReadBodyStyle(none), s);
        EXPECT_EQ(s.useback, 0) << none;
        EXPECT_EQ(s.background, "new.gif") << "the path stays for the background page";
    }
}

TEST(MergeBodyStyle, KeepsTheRestAndReplacesOurProperties)
{
    BodyDeclarations ours;
    ours[size_t(BodyProperty::BackgroundColor)] = "#FFFFFF";
    ours[size_t(BodyProperty::MarginLeft)] = "10px";
    const struct
    {
        const char* existing;
        const char* merged;
    } rows[] = {
        {"", "background-color: #FFFFFF; margin-left: 10px"},
        {"font-family: serif ;COLOR:red; /* note */ background-color: red !important",
         "font-family: serif; background-color: #FFFFFF; margin-left: 10px"},
        // Kept shorthands: ours follows where they disagree, revert stands for a default.
        {"background: #fff url(x.png) no-repeat; margin: 0 auto",
         "background: #fff url(x.png) no-repeat; margin: 0 auto; background-image: revert; margin-left: 10px; "
         "margin-top: revert"},
        {"margin: 8px 10px; background: white", "margin: 8px 10px; background: white; margin-top: revert"},
        {"background: red !important",
         "background: red !important; background-color: #FFFFFF !important; margin-left: 10px"},
        {"color: red; bogus: x y; margin: 1px bogus", "bogus: x y; margin: 1px bogus; background-color: #FFFFFF; "
                                                      "margin-left: 10px"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(MergeBodyStyle(row.existing, ours), row.merged) << row.existing;
}

TEST(MergeBodyStyle, ReadsBackAsTheScheme)
{
    // Whatever the existing style, the merged one gives exactly our values.
    BodyDeclarations ours;
    ours[size_t(BodyProperty::Color)] = "#123456";
    ours[size_t(BodyProperty::BackgroundImage)] = "url('a.gif')";
    ours[size_t(BodyProperty::MarginTop)] = "0px";
    for (const char* existing : {"", "background: red fixed !important; margin: 3px !important; color: blue",
                                 "margin-top: 4px !important; background-attachment: fixed", "margin: 0 auto"}) {
        const BodyStyle read = ReadBodyStyle(MergeBodyStyle(existing, ours));
        EXPECT_TRUE(IsDefaultColour(read.bgcolor.value_or(kDefaultMark))) << existing;
        EXPECT_EQ(read.text, MakeColour(0x12, 0x34, 0x56)) << existing;
        EXPECT_EQ(read.useback, true) << existing;
        EXPECT_EQ(read.background, "a.gif") << existing;
        EXPECT_EQ(read.fixed.value_or(false), false) << existing;
        EXPECT_EQ(read.sidemargin.value_or(-1), -1) << existing;
        EXPECT_EQ(read.topmargin, 0) << existing;
    }
}
