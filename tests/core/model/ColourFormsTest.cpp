#include "model/ColourForms.h"

#include <gtest/gtest.h>

TEST(FindNamedColour, NamesInAnyCaseAndUnknownNames)
{
    const struct
    {
        const char* name;
        std::optional<COLORREF> colour;
    } rows[] = {
        {"white", MakeColour(255, 255, 255)},
        {"ORANGE", MakeColour(255, 165, 0)},
        {"aliceblue", MakeColour(240, 248, 255)},  // first of the table
        {"YellowGreen", MakeColour(154, 205, 50)}, // last of the table
        {"lightgoldenrodyellow", MakeColour(250, 250, 210)},
        {"rebeccapurple", MakeColour(102, 51, 153)},
        {"grey", MakeColour(128, 128, 128)},
        {"transparent", std::nullopt},
        {"chucknorris", std::nullopt},
        {"", std::nullopt},
        {"white ", std::nullopt},
        {"lightgoldenrodyellowish", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FindNamedColour(row.name), row.colour) << row.name;
}

TEST(ParseSimpleColour, HexFormsNamesAndJunk)
{
    const struct
    {
        const char* text;
        std::optional<COLORREF> colour;
    } rows[] = {
        {"#336699", MakeColour(0x33, 0x66, 0x99)},
        {"336699", MakeColour(0x33, 0x66, 0x99)},
        {"#AbCdEf", MakeColour(0xAB, 0xCD, 0xEF)},
        {"#369", MakeColour(0x33, 0x66, 0x99)},
        {" \tNavy\n", MakeColour(0, 0, 128)},
        {"369", std::nullopt}, // three digits need their "#"
        {"#3366", std::nullopt},
        {"#33669g", std::nullopt},
        {"#", std::nullopt},
        {"", std::nullopt},
        {"# 336699", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ParseSimpleColour(row.text), row.colour) << '"' << row.text << '"';
}

TEST(ParseLegacyColour, AsChromiumReadsColourAttributes)
{
    // Expected values read from headless Chromium (getComputedStyle of a body's bgcolor).
    const struct
    {
        const char* text;
        std::optional<COLORREF> colour;
    } rows[] = {
        {"chucknorris", MakeColour(192, 0, 0)},
        {"ninjaturtle", MakeColour(0, 160, 0)},
        {"crap", MakeColour(192, 160, 0)},
        {"sick", MakeColour(0, 192, 0)},
        {"WHITE", MakeColour(255, 255, 255)},
        {" white ", MakeColour(255, 255, 255)},
        {"#fff", MakeColour(255, 255, 255)},
        {"fff", MakeColour(15, 15, 15)}, // "#rgb" needs its "#"
        {"ffffff", MakeColour(255, 255, 255)},
        {"#12345", MakeColour(18, 52, 80)},
        {"#1234567", MakeColour(18, 69, 112)},
        {"1234567890", MakeColour(18, 86, 144)},
        {"#abcd", MakeColour(171, 205, 0)},
        {"#ff0000ff", MakeColour(255, 0, 255)},
        {"rgb(255,0,0)", MakeColour(0, 37, 0)},
        {"0x00ff00", MakeColour(0, 255, 0)},
        {"#0000000000ff", MakeColour(0, 0, 255)},
        {"#fffffffffffffffffffffff", MakeColour(255, 255, 255)},
        {"#zzz", MakeColour(0, 0, 0)},
        {"#", MakeColour(0, 0, 0)},
        {"  ", MakeColour(0, 0, 0)}, // only blanks is black, not nothing
        {"\xC3\xA9t\xC3\xA9", MakeColour(0, 0, 0)},
        {"\xF0\x9F\x98\x80"
         "abc",
         MakeColour(0, 10, 192)},
        {"", std::nullopt},
        {"transparent", std::nullopt},
        {" TransParent ", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ParseLegacyColour(row.text), row.colour) << '"' << row.text << '"';
    // Past 128 characters nothing counts: 200 "x" then "ff" is black.
    EXPECT_EQ(ParseLegacyColour(std::string(200, 'x') + "ff"), MakeColour(0, 0, 0));
}
