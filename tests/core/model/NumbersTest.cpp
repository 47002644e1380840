#include "text/Numbers.h"

#include <gtest/gtest.h>

TEST(ParseDecimal, LeadingNumberTable)
{
    const struct
    {
        const char* text;
        int32_t value;
    } rows[] = {
        {"10", 10},
        {"-1", -1},
        {"+7", 7},
        {"12px", 12},
        {"auto", 0},
        {"", 0},
        {"-", 0},
        {" 5", 0}, // blanks are the caller's business
        {"0x00FF00", 0},
        {"16777215", 16777215},
        {"007", 7},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"99999999999999999999", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-99999999999999999999", -2147483647 - 1},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ParseDecimal(row.text), row.value) << '"' << row.text << '"';
}

TEST(ParseNonNegativeInteger, HtmlRulesAsChromiumReadsMargins)
{
    const struct
    {
        const char* text;
        std::optional<int32_t> value;
    } rows[] = {
        {"50", 50},           {" 7", 7},
        {"\t5", 5},           {"+7", 7},
        {"12px", 12},         {"12.7", 12},
        {"50%", 50},          {"-0", 0},
        {"007", 7},           {"2147483647", 2147483647},
        {"-7", std::nullopt}, {"abc", std::nullopt},
        {"", std::nullopt},   {"\v5", std::nullopt},
        {"+", std::nullopt},  {"99999999999", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ParseNonNegativeInteger(row.text), row.value) << '"' << row.text << '"';
}
