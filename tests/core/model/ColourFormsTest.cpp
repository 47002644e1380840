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
