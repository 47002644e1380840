#include "Printers.h"
#include "text/QuickSearch.h"
#include "text/TextBuffer.h"

#include <gtest/gtest.h>

#include <string>

TEST(QuickSearch, ShiftTableKeepsTheLastOccurrence)
{
    uint32_t shift[256];
    BuildShiftTable("abcab", 5, false, shift);
    for (int c = 0; c < 256; ++c) {
        const uint32_t expected = c == 'a' ? 2 : c == 'b' ? 1 : c == 'c' ? 3 : 6;
        EXPECT_EQ(shift[c], expected) << c;
    }
    BuildShiftTable("xA\xC9", 3, true, shift);
    EXPECT_EQ(shift['a'], 2u);
    EXPECT_EQ(shift['A'], 2u);
    EXPECT_EQ(shift[0xC9], 1u);
    EXPECT_EQ(shift[0xE9], 4u); // never folded
}

TEST(QuickSearch, TextLengthCountsTheTerminator)
{
    const char* text = "xxabc";
    EXPECT_EQ(QuickSearch(text, "abc", 6, 3), text + 2);
    EXPECT_EQ(QuickSearch(text, "abc", 5, 3), nullptr); // the last alignment needs the NUL counted
    EXPECT_EQ(QuickSearch(text, "", 6, 0), text);
    EXPECT_EQ(QuickSearch(text, "xxabcd", 6, 6), nullptr);
    EXPECT_EQ(QuickSearch(text, "x", 0, 1), nullptr);
}

TEST(QuickSearch, FoldCaseTouchesOnlyAsciiLetters)
{
    char text[] = "ABCxyz\xC9"
                  "09@[`{Z";
    EXPECT_STREQ(FoldCase(text, sizeof text - 1), "abcxyz\xC9"
                                                  "09@[`{z");
    for (int c = 0; c < 256; ++c) {
        char byte = static_cast<char>(c);
        FoldCase(&byte, 1);
        EXPECT_EQ(static_cast<unsigned char>(byte), c >= 'A' && c <= 'Z' ? c + 32 : c) << c;
    }
}

TEST(TextBufferFind, Rows)
{
    struct Row
    {
        std::string text;
        const char* pattern;
        uint32_t start;
        bool ignoreCase;
        int32_t expected;
    };
    const Row rows[] = {
        {"<html><BODY>", "<body", 0, true, 6},
        {"<html><Body>", "<body", 0, true, 6},
        {"<html><BODY>", "<body", 0, false, -1},
        {"0123456789ab>", ">", 10, false, 12},
        {"ab>cdefghij>", ">", 3, false, 11},
        {"head tail", "tail", 0, false, 5},
        {"tail", "tails", 0, false, -1},
        {"tail", "tail", 1, false, -1},
        {"tail", "l", 4, false, -1},
        {"tail", "l", 5, false, -1},
        {"tail", "", 0, false, -1},
        {"", "a", 0, true, -1},
        {"caf\xC9 \xE9t\xE9", "\xE9t\xE9", 0, false, 5},
        {"caf\xC9", "CAF\xE9", 0, true, -1},
        {"caf\xC9", "CAF\xC9", 0, true, 0},
        {std::string("a\0<p>", 5), "<P>", 0, true, 2},
        {"ab\x80\xFF\x80", "\xFF\x80", 0, false, 3},
    };
    for (const Row& row : rows) {
        const CTextBuffer b(row.text.data(), static_cast<uint32_t>(row.text.size()));
        EXPECT_EQ(b.Find(row.pattern, row.start, row.ignoreCase), row.expected)
            << row.text << " / " << row.pattern << " from " << row.start;
    }
}

TEST(TextBufferReplace, Rows)
{
    struct Row
    {
        const char* text;
        const char* pattern;
        const char* replacement;
        char mode;
        uint32_t count;
        const char* expected;
    };
    const Row rows[] = {
        {"<b>x<b>y", "<b>", "<i>", 'S', 2, "<i>x<i>y"},
        {"aaaa", "aa", "b", 'S', 2, "bb"},
        {"aaaaa", "aa", "<>", 'S', 2, "<><>a"},
        {"<B>x<b>y", "<b>", "", 'I', 2, "xy"},
        {"<B>x<b>y", "<b>", "", 'S', 1, "<B>xy"},
        {"abc", "abcd", "x", 'S', 0, "abc"},
        {"abc", "", "x", 'S', 0, "abc"},
        {"abc", "abc", "longer text", 'S', 1, "longer text"},
        {"caf\xC9 caf\xE9", "CAF\xC9", "x", 'I', 1, "x caf\xE9"},
    };
    for (const Row& row : rows) {
        CTextBuffer b(row.text);
        EXPECT_EQ(b.Replace(row.pattern, row.replacement, row.mode), row.count) << row.text << " / " << row.pattern;
        EXPECT_EQ(b.View(), row.expected);
        if (row.count > 0) {
            EXPECT_EQ(b.Capacity(), b.Length());
        }
    }
}

TEST(TextBufferReplace, WholeWordRows)
{
    struct Row
    {
        const char* text;
        const char* startSet; // null: no set given
        const char* endSet;
        char mode;
        uint32_t count;
        const char* expected;
    };
    const Row rows[] = {
        {"Foo foo food FOO", " ", " ", 'M', 3, "x x food x"},
        {"Foo foo food FOO", " ", " ", 'X', 1, "Foo x food FOO"},
        {"<foo>foo;", "<", ">", 'X', 1, "<x>foo;"},
        {"foo bar foo", nullptr, nullptr, 'X', 0, "foo bar foo"},
        {"foo", nullptr, nullptr, 'M', 1, "x"},
        {"foo foo", " ", nullptr, 'X', 1, "foo x"},
        {"Afoo", "A", "", 'X', 1, "Ax"},
        {"Afoo", "A", "", 'M', 0, "Afoo"}, // in the ignore-case modes neighbours are judged folded
        {"afoo", "a", "", 'M', 1, "ax"},
    };
    for (const Row& row : rows) {
        CTextBuffer b(row.text);
        if (row.startSet) {
            ASSERT_TRUE(b.SetWordStartChars(row.startSet));
        }
        if (row.endSet) {
            ASSERT_TRUE(b.SetWordEndChars(row.endSet));
        }
        EXPECT_EQ(b.Replace("foo", "x", row.mode), row.count) << row.text << " " << row.mode;
        EXPECT_EQ(b.View(), row.expected);
    }
}

TEST(TextBufferReplace, LineIndexSurvivesOnlyWhenNothingMatched)
{
    CTextBuffer b("a\r\nb\r\nc");
    ASSERT_EQ(b.IndexLines(), 3u);
    EXPECT_EQ(b.Replace("zz", "y", 'S'), 0u);
    EXPECT_TRUE(b.LinesIndexed());
    EXPECT_EQ(b.Replace("\r\n", "", 'S'), 2u);
    EXPECT_FALSE(b.LinesIndexed());
    EXPECT_EQ(b.GetLine(0).View(), "abc");
}
