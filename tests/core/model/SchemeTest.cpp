#include "model/Scheme.h"
#include "Printers.h"

#include <gtest/gtest.h>

TEST(Scheme, StartsAtTheDefaults)
{
    Scheme s;
    EXPECT_EQ(s.bgcolor, 0xFFFFFFFFu);
    EXPECT_EQ(s.text, 0xFF000000u);
    EXPECT_EQ(s.link, 0xFFFF0000u);
    EXPECT_EQ(s.vlink, 0xFF990099u);
    EXPECT_EQ(s.alink, 0xFF0000FFu);
    EXPECT_EQ(s.topmargin, -1);
    EXPECT_EQ(s.sidemargin, -1);
    EXPECT_EQ(s.useback, 0);
    EXPECT_EQ(s.watermark, 0);
    EXPECT_EQ(s.background.size(), 0u);
}

TEST(Scheme, ResetKeepsTheBackgroundPath)
{
    Scheme s;
    s.bgcolor = 0x123456;
    s.topmargin = 4;
    s.useback = 1;
    s.watermark = 1;
    s.background.assign("images/fond.gif");
    s.ResetScheme();
    Scheme expected;
    expected.background.assign("images/fond.gif");
    EXPECT_EQ(s, expected);
}

TEST(ColourWord, DefaultMarkIsAnyNonZeroTopByte)
{
    EXPECT_FALSE(IsDefaultColour(0x00FFFFFF));
    EXPECT_FALSE(IsDefaultColour(0x00000000));
    EXPECT_TRUE(IsDefaultColour(0xFFFFFFFF));
    EXPECT_TRUE(IsDefaultColour(0x01000000));
    EXPECT_TRUE(IsDefaultColour(0xFF000000));
}

TEST(ColourText, FormatTable)
{
    const struct
    {
        COLORREF value;
        bool upper;
        const char* text;
    } rows[] = {
        {0x000A0B0C, false, "#0c0b0a"}, {0x000A0B0C, true, "#0C0B0A"}, {0x00FF0000, false, "#0000ff"},
        {0x00990099, false, "#990099"}, {0x00FFFFFF, true, "#FFFFFF"}, {0x00FFFFFF, false, "#ffffff"},
        {0x000F0201, false, "#01020f"}, {0xFFFF0000, true, "#0000FF"}, // the default mark is ignored
        {0x0080FFEE, true, "#EEFF80"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FormatColour(row.value, row.upper), row.text) << std::hex << row.value;
}

TEST(ColourText, ParseTable)
{
    const struct
    {
        const char* text;
        COLORREF value;
    } rows[] = {
        {"#FF8000", 0x000080FF},
        {"#ffffff", 0x00FFFFFF},
        {"#123456", 0x00563412},
        {"#000080", 0x00800000},
        {"#aBcDeF", 0x00EFCDAB},
        // Partial reads: what was read stays, the rest is 0.
        {"#FF", 0x000000FF},
        {"#ff8", 0x000008FF},
        {"#12345", 0x00053412},
        {"#12zz56", 0x00000012},
        {"", 0},
        {"white", 0},
        {"'#ffffff'", 0},
        {"#", 0},
        {"#g00000", 0},
        // Trailing bytes are left alone.
        {"#1234567", 0x00563412},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ParseColour(row.text), row.value) << '"' << row.text << '"';
}

TEST(ColourText, RoundTripOfEveryGrey)
{
    for (unsigned v = 0; v < 256; ++v) {
        COLORREF c = MakeColour(uint8_t(v), uint8_t(255 - v), uint8_t(v ^ 0x5A));
        EXPECT_EQ(ParseColour(FormatColour(c, v & 1)), c);
        EXPECT_EQ(ParseColour(FormatColour(c | kDefaultMark, v & 1)), c) << "parsing always gives an explicit colour";
    }
}
