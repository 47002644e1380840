#include "Printers.h"
#include "Timing.h"
#include "text/TextBuffer.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

TEST(TextBufferLines, Rows)
{
    struct Row
    {
        std::string text;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"a\r\nb\r\n", {"a", "b", ""}},
        {"a\nb", {"a\nb"}},
        {"", {""}},
        {"\r\n", {"", ""}},
        {"a\rb\r\n\r\nc", {"a\rb", "", "c"}},
        {"\r\r\n\n", {"\r", "\n"}},
        {std::string("x\0\r\n\0", 5), {std::string("x\0", 2), std::string("\0", 1)}},
    };
    for (const Row& row : rows) {
        CTextBuffer b(row.text.data(), static_cast<uint32_t>(row.text.size()));
        ASSERT_EQ(b.IndexLines(), row.lines.size()) << row.text;
        for (uint32_t i = 0; i < row.lines.size(); ++i)
            EXPECT_EQ(b.GetLine(i).View(), row.lines[i]) << row.text << " line " << i;
        EXPECT_EQ(b.GetLine(static_cast<uint32_t>(row.lines.size())).View(), "");
        EXPECT_EQ(b.GetLine(CTextBuffer::npos).View(), "");
    }
}

TEST(TextBufferLines, IndexFollowsTheText)
{
    CTextBuffer b;
    for (int i = 0; i < 2500; ++i) // beyond two steps of the line table
        ASSERT_TRUE(b.Append((std::to_string(i) + "\r\n").c_str()));
    EXPECT_EQ(b.IndexLines(), 2501u);
    EXPECT_TRUE(b.LinesIndexed());
    EXPECT_EQ(b.GetLine(0).View(), "0");
    EXPECT_EQ(b.GetLine(1999).View(), "1999");
    EXPECT_EQ(b.GetLine(2499).View(), "2499");
    EXPECT_EQ(b.GetLine(2500).View(), "");

    ASSERT_TRUE(b.Cut(0));
    EXPECT_TRUE(b.LinesIndexed());
    ASSERT_TRUE(b.Prepend("top\r\n"));
    EXPECT_FALSE(b.LinesIndexed());
    EXPECT_EQ(b.GetLine(0).View(), "top"); // rebuilt on demand
    EXPECT_EQ(b.IndexLines(), 2502u);
    ASSERT_TRUE(b.Cut(-2));
    EXPECT_EQ(b.GetLine(2500).View(), "2499");
    ASSERT_TRUE(b.Assign("one"));
    EXPECT_EQ(b.IndexLines(), 1u);
}

// The line table grows geometrically: 10 MiB of short lines, 3.5 million
// entries, indexed in linear time.
TEST(TextBufferLines, IndexingTakesLinearTime)
{
    std::string text;
    for (int i = 0; text.size() < (10u << 20); ++i)
        text += std::to_string(i % 10) + "\r\n";
    CTextBuffer b(text.data(), uint32_t(text.size()));
    const std::clock_t start = std::clock();
    EXPECT_EQ(b.IndexLines(), text.size() / 3 + 1);
    EXPECT_LT(double(std::clock() - start) / CLOCKS_PER_SEC, kSecondsPer10MiB);
    EXPECT_EQ(b.GetLine(1234567).View(), "7");
}
