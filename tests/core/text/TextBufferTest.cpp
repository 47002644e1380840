#include "text/TextBuffer.h"
#include "Printers.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

namespace {

CTextBuffer Blockless()
{
    // A count beyond the largest text makes construction fail like an allocation would.
    CTextBuffer b("x", CTextBuffer::maxLength + 1);
    EXPECT_FALSE(b.HasBlock());
    return b;
}

} // namespace

TEST(TextBufferGrowth, CapacityFollowsTheDoublingPolicy)
{
    CTextBuffer fresh;
    EXPECT_EQ(fresh.Capacity(), 1023u);
    EXPECT_EQ(fresh.Length(), 0u);
    EXPECT_STREQ(fresh.Data(), "");

    CTextBuffer b("abcde");
    EXPECT_EQ(b.Capacity(), 10u);
    EXPECT_EQ(CTextBuffer(b).Capacity(), 10u);
    EXPECT_EQ(CTextBuffer("").Capacity(), 0u);

    ASSERT_TRUE(b.Append("fghijk")); // 11 bytes needed, 10 held
    EXPECT_EQ(b.Capacity(), 22u);
    ASSERT_TRUE(b.Assign("x")); // never shrinks
    EXPECT_EQ(b.Capacity(), 22u);
    ASSERT_TRUE(b.Prepend(std::string(30, 'p').c_str()));
    EXPECT_EQ(b.Capacity(), 62u);
    EXPECT_EQ(b.View(), std::string(30, 'p') + "x");
}

TEST(TextBufferGrowth, TwoThousandAppendsKeepTheTerminator)
{
    CTextBuffer b;
    std::string expected;
    for (int i = 0; i < 2000; ++i) {
        const std::string line = "ligne " + std::to_string(i) + "\r\n";
        const uint32_t before = b.Capacity();
        ASSERT_TRUE(b.Append(line.c_str()));
        expected += line;
        ASSERT_EQ(b.Data()[b.Length()], '\0') << i;
        ASSERT_GE(b.Capacity(), b.Length());
        if (b.Capacity() != before) {
            ASSERT_EQ(b.Capacity(), 2 * b.Length()) << i;
        }
    }
    EXPECT_EQ(b.View(), expected);
}

TEST(TextBufferGrowth, SizesBeyond32BitsFailWithTheTextUnchanged)
{
    CTextBuffer b("0123456789");
    const char* huge = "not read";
    EXPECT_FALSE(b.Append(huge, 0x80000000u));
    EXPECT_FALSE(b.Append(huge, 0xFFFFFFF8u)); // length + count wraps in 32 bits
    EXPECT_FALSE(b.Append(huge, CTextBuffer::maxLength - 9));
    EXPECT_FALSE(b.Prepend(huge, 0xFFFFFFF8u));
    EXPECT_FALSE(b.Assign(huge, CTextBuffer::maxLength + 1));
    EXPECT_EQ(b.View(), "0123456789");
    EXPECT_EQ(b.Capacity(), 20u);
}

TEST(TextBufferEdit, CutRows)
{
    struct Row
    {
        const char* text;
        int32_t n;
        const char* expected;
    };
    const Row rows[] = {
        {"<body bgcolor", 5, " bgcolor"}, {"abcdef", -3, "abc"},  {"abc", -10, ""}, {"abc", 3, ""}, {"abc", 0, "abc"},
        {"abc", INT32_MIN, ""},           {"abc", INT32_MAX, ""}, {"", 4, ""},
    };
    for (const Row& row : rows) {
        CTextBuffer b(row.text);
        EXPECT_TRUE(b.Cut(row.n));
        EXPECT_EQ(b.View(), row.expected) << row.text << " " << row.n;
        EXPECT_EQ(b.Data()[b.Length()], '\0');
    }
}

TEST(TextBufferEdit, LeftAndMidRows)
{
    struct Row
    {
        uint32_t start; // npos: Left(count)
        uint32_t count;
        const char* expected;
    };
    const Row rows[] = {
        {2, 100, "cdef"},
        {10, 2, ""},
        {0, CTextBuffer::npos, "abcdef"},
        {4, CTextBuffer::npos, "ef"},
        {1, 3, "bcd"},
        {6, 1, ""},
        {5, 0xFFFFFFF0u, "f"},
        {CTextBuffer::npos, 3, "abc"},
        {CTextBuffer::npos, 0, ""},
        {CTextBuffer::npos, 99, "abcdef"},
    };
    const CTextBuffer b("abcdef");
    for (const Row& row : rows) {
        const CTextBuffer part = row.start == CTextBuffer::npos ? b.Left(row.count) : b.Mid(row.start, row.count);
        EXPECT_EQ(part.View(), row.expected) << row.start << " " << row.count;
        EXPECT_EQ(part.Capacity(), 2 * part.Length());
    }
}

TEST(TextBufferEdit, AppendAndPrependOfTheBuffersOwnBytes)
{
    CTextBuffer b("abc");
    ASSERT_TRUE(b.Append(b.Data())); // grows while reading its own block
    EXPECT_EQ(b.View(), "abcabc");
    ASSERT_TRUE(b.Prepend(b.Data() + 4, 2));
    EXPECT_EQ(b.View(), "bcabcabc");
    ASSERT_TRUE(b.Assign(b.Data() + 5));
    EXPECT_EQ(b.View(), "abc");
    ASSERT_TRUE(b.Assign(b));
    EXPECT_EQ(b.View(), "abc");
}

TEST(TextBufferEdit, EmbeddedNulBytesAreText)
{
    CTextBuffer b("a\0b", 3);
    ASSERT_TRUE(b.Append("\0c", 2));
    EXPECT_EQ(b.View(), std::string_view("a\0b\0c", 5));
    EXPECT_EQ(CTextBuffer(b).View(), b.View());
}

TEST(TextBufferValue, CopiesShareNothing)
{
    CTextBuffer original("foo bar");
    ASSERT_TRUE(original.SetWordStartChars(" "));
    ASSERT_TRUE(original.SetWordEndChars(" "));
    ASSERT_EQ(original.IndexLines(), 1u);

    CTextBuffer copy(original);
    CTextBuffer assigned("zz");
    assigned = original;
    EXPECT_FALSE(copy.LinesIndexed());
    EXPECT_EQ(copy.Replace("bar", "x", 'X'), 0u); // no word sets in a copy
    EXPECT_EQ(assigned.Replace("bar", "x", 'X'), 0u);
    ASSERT_TRUE(assigned.Append("!"));
    EXPECT_EQ(original.View(), "foo bar");
    EXPECT_EQ(original.Replace("bar", "x", 'X'), 1u);
    EXPECT_EQ(copy.View(), "foo bar");
    EXPECT_EQ(assigned.View(), "foo bar!");
}

TEST(TextBufferValue, MovesLeaveAnEmptyUsableSource)
{
    CTextBuffer source("foo bar");
    ASSERT_TRUE(source.SetWordStartChars(" "));
    CTextBuffer moved(std::move(source));
    EXPECT_EQ(moved.View(), "foo bar");
    EXPECT_EQ(moved.Replace("bar", "x", 'X'), 1u); // the word sets travel with the text
    EXPECT_EQ(source.Length(), 0u);
    EXPECT_STREQ(source.Data(), "");
    ASSERT_TRUE(source.Append("again"));
    EXPECT_EQ(source.View(), "again");

    CTextBuffer target("old");
    target = std::move(source);
    EXPECT_EQ(target.View(), "again");
    EXPECT_EQ(source.Length(), 0u);
    EXPECT_EQ(source.Find("a"), -1);
    target = std::move(target);
    EXPECT_EQ(target.View(), "again");
}

TEST(TextBufferValue, ABufferWithoutBlockActsEmpty)
{
    CTextBuffer b = Blockless();
    EXPECT_STREQ(b.Data(), "");
    EXPECT_EQ(b.Length(), 0u);
    EXPECT_EQ(b.Left(3).View(), "");
    EXPECT_EQ(b.Mid(1).View(), "");
    EXPECT_EQ(CTextBuffer(b).View(), "");
    EXPECT_TRUE(b.Cut(2));
    EXPECT_EQ(b.Find("x"), -1);
    EXPECT_EQ(b.Replace("x", "y", 'S'), 0u);
    EXPECT_EQ(b.IndexLines(), 0u);
    EXPECT_EQ(b.GetLine(0).View(), "");

    ASSERT_TRUE(b.Prepend("back"));
    EXPECT_TRUE(b.HasBlock());
    EXPECT_EQ(b.View(), "back");
    CTextBuffer empty = Blockless();
    ASSERT_TRUE(empty.Assign(""));
    EXPECT_TRUE(empty.HasBlock());
}
