#include "controls/PaletteGridLogic.h"
#include "Printers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;

// A palette whose 225 cells hold distinct colours: cell k in storage order
// holds 0x100 + k.
CPaletteGridLogic DistinctPalette()
{
    std::string text;
    for (int k = 0; k < kGridCells; ++k)
        text += std::to_string(0x100 + k) + "\r\n";
    CPaletteGridLogic grid;
    grid.SetPaletteText(CTextBuffer(text.c_str()));
    return grid;
}

} // namespace

TEST(PaletteGridLogic, ArrowMovesWrapWithinTheirRowOrColumn)
{
    const struct
    {
        GridCell from;
        GridMove move;
        GridCell to;
    } rows[] = {
        {{0, 7}, GridMove::Left, {14, 7}},   {{5, 7}, GridMove::Left, {4, 7}},   {{3, 0}, GridMove::Up, {3, 14}},
        {{3, 9}, GridMove::Up, {3, 8}},      {{14, 2}, GridMove::Right, {0, 2}}, {{13, 2}, GridMove::Right, {14, 2}},
        {{6, 14}, GridMove::Down, {6, 0}},   {{6, 13}, GridMove::Down, {6, 14}}, {{0, 0}, GridMove::Left, {14, 0}},
        {{14, 14}, GridMove::Down, {14, 0}},
    };
    for (const auto& row : rows) {
        CPaletteGridLogic grid;
        grid.Select(row.from);
        const GridChange change = grid.Move(row.move);
        EXPECT_EQ(grid.GetSelection(), row.to) << "from " << testing::PrintToString(row.from);
        EXPECT_EQ(change.previous, row.from);
        EXPECT_EQ(change.current, row.to);
        EXPECT_FALSE(change.colourChanged);
    }
}

TEST(PaletteGridLogic, HitTestAtPitchTwelve)
{
    const GridGeometry geometry = GridGeometry::FromClientSize(181, 181);
    ASSERT_EQ(geometry.pitchX, 12);
    ASSERT_EQ(geometry.pitchY, 12);
    const struct
    {
        int x, y;
        std::optional<GridCell> cell;
    } rows[] = {
        {0, 0, GridCell{0, 0}},  {12, 0, GridCell{0, 0}}, {13, 0, GridCell{1, 0}},      {180, 0, GridCell{14, 0}},
        {0, 12, GridCell{0, 0}}, {0, 13, GridCell{0, 1}}, {180, 180, GridCell{14, 14}}, {100, 50, GridCell{8, 4}},
        {181, 5, std::nullopt},  {5, 181, std::nullopt},  {181, 181, std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(geometry.HitTest(row.x, row.y), row.cell) << "at (" << row.x << ", " << row.y << ")";
}

TEST(PaletteGridLogic, HitTestInAClientAreaLargerThanTheGrid)
{
    // 199 pixels give a pitch of 13 horizontally, the last line at x = 195.
    const GridGeometry geometry = GridGeometry::FromClientSize(199, 170);
    EXPECT_EQ(geometry.pitchX, 13);
    EXPECT_EQ(geometry.pitchY, 11);
    EXPECT_EQ(geometry.HitTest(195, 165), (GridCell{14, 14}));
    EXPECT_EQ(geometry.HitTest(196, 10), std::nullopt);
    EXPECT_EQ(geometry.HitTest(10, 166), std::nullopt);
}

TEST(PaletteGridLogic, DefaultPaletteCells)
{
    const CPaletteGridLogic grid;
    const struct
    {
        GridCell cell;
        COLORREF colour;
    } rows[] = {
        {{0, 0}, 0x000000}, {{5, 0}, 0x0000FF},   {{6, 0}, 0x003300},  {{0, 1}, 0x006699},
        {{1, 1}, 0x0066CC}, {{14, 13}, 0xFFCCFF}, {{0, 14}, 0xFFFF00}, {{4, 14}, 0xFFFFCC},
        {{5, 14}, kWhite},  {{6, 14}, kWhite},    {{14, 14}, kWhite},
    };
    for (const auto& row : rows)
        EXPECT_EQ(grid.GetColour(row.cell), row.colour) << testing::PrintToString(row.cell);
    EXPECT_EQ(grid.GetSelection(), (GridCell{0, 0}));

    int whites = 0;
    for (int c = 0; c < kGridColumns; ++c)
        for (int r = 0; r < kGridRows; ++r)
            whites += grid.GetColour({c, r}) == kWhite;
    EXPECT_EQ(whites, 10);
}

TEST(PaletteGridLogic, SetDefaultPaletteRestoresColoursAndKeepsTheSelection)
{
    CPaletteGridLogic grid = DistinctPalette();
    grid.Select({9, 3});
    grid.SetDefaultPalette();
    EXPECT_EQ(grid.GetSelection(), (GridCell{9, 3}));
    EXPECT_EQ(grid.GetColour({0, 0}), 0x000000u);
    EXPECT_EQ(grid.GetColour({5, 0}), 0x0000FFu);
    for (int c = 5; c < kGridColumns; ++c)
        EXPECT_EQ(grid.GetColour({c, 14}), kWhite) << c;
}

TEST(PaletteGridLogic, SetSelectedColourChangesOnlyTheSelectedCell)
{
    CPaletteGridLogic grid;
    grid.Select({4, 11});
    grid.SetSelectedColour(0xFF123456);
    EXPECT_EQ(grid.GetSelectedColour(), 0xFF123456u);
    EXPECT_EQ(grid.GetColour({4, 11}), 0xFF123456u);
    EXPECT_EQ(grid.GetColour({4, 10}), CPaletteGridLogic().GetColour({4, 10}));
    EXPECT_EQ(grid.GetSelection(), (GridCell{4, 11}));
}

TEST(PaletteGridLogic, NewColoursFillTheSpareWhitesFromTheRightThenReplaceTheLastCell)
{
    CPaletteGridLogic grid;
    GridCell previous{0, 0};
    for (int n = 0; n < 9; ++n) {
        const COLORREF colour = 0x010203 + COLORREF(n);
        const std::optional<GridChange> change = grid.SelectColour(colour);
        const GridCell expected{14 - n, 14};
        ASSERT_TRUE(change.has_value()) << n;
        EXPECT_EQ(change->previous, previous);
        EXPECT_EQ(change->current, expected);
        EXPECT_TRUE(change->colourChanged);
        EXPECT_EQ(grid.GetSelection(), expected);
        EXPECT_EQ(grid.GetColour(expected), colour);
        previous = expected;
    }
    // The whites are used up: only (5, 14) is left, and it is no duplicate.
    const std::optional<GridChange> tenth = grid.SelectColour(0xABCDEF);
    ASSERT_TRUE(tenth.has_value());
    EXPECT_EQ(tenth->current, (GridCell{14, 14}));
    EXPECT_TRUE(tenth->colourChanged);
    EXPECT_EQ(grid.GetColour({14, 14}), 0xABCDEFu);
    EXPECT_EQ(grid.GetColour({5, 14}), kWhite);
    EXPECT_EQ(grid.GetColour({13, 14}), 0x010204u);
}

TEST(PaletteGridLogic, ReusesTheLastDuplicateInReadingOrder)
{
    CPaletteGridLogic grid = DistinctPalette();
    // (2, 6) repeats the colour of (9, 1), which comes earlier in reading
    // order; (1, 8) repeats (7, 8) which comes later, so (7, 8) is the
    // duplicate, and it is the last one in reading order.
    grid.Select({2, 6});
    grid.SetSelectedColour(grid.GetColour({9, 1}));
    grid.Select({1, 8});
    grid.SetSelectedColour(grid.GetColour({7, 8}));
    grid.Select({0, 0});

    const std::optional<GridChange> change = grid.SelectColour(0x777777);
    ASSERT_TRUE(change.has_value());
    EXPECT_EQ(change->current, (GridCell{7, 8}));
    EXPECT_EQ(grid.GetColour({7, 8}), 0x777777u);
    EXPECT_EQ(grid.GetColour({1, 8}), 0x100u + 7 * 15 + 8); // the earlier copy keeps it
}

TEST(PaletteGridLogic, AllColoursDistinctPutsTheNewColourInTheLastCell)
{
    CPaletteGridLogic grid = DistinctPalette();
    grid.Select({3, 3});
    const std::optional<GridChange> change = grid.SelectColour(0x00C0FFEE);
    ASSERT_TRUE(change.has_value());
    EXPECT_EQ(change->previous, (GridCell{3, 3}));
    EXPECT_EQ(change->current, (GridCell{14, 14}));
    EXPECT_TRUE(change->colourChanged);
    EXPECT_EQ(grid.GetColour({14, 14}), 0x00C0FFEEu);
}

TEST(PaletteGridLogic, ExistingColourSelectsItsFirstCellInReadingOrder)
{
    CPaletteGridLogic grid;
    // (3, 9) comes first in storage order, (7, 2) first in reading order.
    grid.Select({3, 9});
    grid.SetSelectedColour(0x424242);
    grid.Select({7, 2});
    grid.SetSelectedColour(0x424242);
    grid.Select({0, 0});

    const std::optional<GridChange> change = grid.SelectColour(0x424242);
    ASSERT_TRUE(change.has_value());
    EXPECT_EQ(change->previous, (GridCell{0, 0}));
    EXPECT_EQ(change->current, (GridCell{7, 2}));
    EXPECT_FALSE(change->colourChanged);
    EXPECT_EQ(grid.GetColour({3, 9}), 0x424242u);
    EXPECT_EQ(grid.GetColour({0, 0}), 0x000000u);
}

TEST(PaletteGridLogic, SelectedCellsOwnColourDoesNothing)
{
    CPaletteGridLogic grid;
    grid.Select({10, 14}); // white, which (5, 14) holds earlier
    const CTextBuffer before = grid.GetPaletteText();
    EXPECT_EQ(grid.SelectColour(kWhite), std::nullopt);
    EXPECT_EQ(grid.GetSelection(), (GridCell{10, 14}));
    EXPECT_EQ(grid.GetPaletteText().View(), before.View());
}

TEST(PaletteGridLogic, PaletteTextOfTheDefaultPalette)
{
    CTextBuffer text = CPaletteGridLogic().GetPaletteText();
    EXPECT_EQ(text.View().substr(0, 26), "0\r\n26265\r\n65280\r\n3355545\r\n");
    EXPECT_TRUE(text.View().ends_with("\r\n16777215\r\n")) << testing::PrintToString(text);
    // 225 lines, the last one ending in CR LF, leave one empty line after.
    EXPECT_EQ(text.IndexLines(), 226u);
    EXPECT_EQ(text.GetLine(225).Length(), 0u);
}

TEST(PaletteGridLogic, PaletteTextWritesColourWordsAsSigned)
{
    CPaletteGridLogic grid;
    grid.SetSelectedColour(0xFFFFFFFF);
    grid.Select({0, 1});
    grid.SetSelectedColour(0x80000000);
    EXPECT_EQ(grid.GetPaletteText().View().substr(0, 17), "-1\r\n-2147483648\r\n");
}

TEST(PaletteGridLogic, SetPaletteTextReadsEachLinesLeadingNumber)
{
    const struct
    {
        const char* line;
        COLORREF colour;
    } rows[] = {
        {"255", 0x0000FF},
        {" 16777215", 0xFFFFFF},
        {"\t \v\f42", 42},
        {"+65280", 0x00FF00},
        {"-1", 0xFFFFFFFF},
        {"0x00FF00", 0},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"- 5", 0},
        {"16777216", 0x1000000},
        {"99999999999", 0x7FFFFFFF},
    };
    for (const auto& row : rows) {
        CPaletteGridLogic grid;
        grid.SetPaletteText(CTextBuffer((std::string(row.line) + "\r\n7\r\n").c_str()));
        EXPECT_EQ(grid.GetColour({0, 0}), row.colour) << '"' << row.line << '"';
        EXPECT_EQ(grid.GetColour({0, 1}), 7u) << '"' << row.line << '"';
    }
}

TEST(PaletteGridLogic, ShortTextLeavesTheMissingCellsBlack)
{
    for (const char* text : {"255", "255\r\n"}) {
        CPaletteGridLogic grid;
        grid.Select({6, 6});
        grid.SetPaletteText(CTextBuffer(text));
        EXPECT_EQ(grid.GetColour({0, 0}), 0x0000FFu) << text;
        for (int k = 1; k < kGridCells; ++k)
            ASSERT_EQ(grid.GetColour({k / kGridRows, k % kGridRows}), 0u) << "cell " << k;
        EXPECT_EQ(grid.GetSelection(), (GridCell{6, 6}));
    }
    CPaletteGridLogic empty;
    empty.SetPaletteText(CTextBuffer());
    EXPECT_EQ(empty.GetColour({14, 14}), 0u);
}

TEST(PaletteGridLogic, LinesSplitAtCrLfOnly)
{
    CPaletteGridLogic grid;
    grid.SetPaletteText(CTextBuffer("1\n2\r\n3\r4\r\n5"));
    EXPECT_EQ(grid.GetColour({0, 0}), 1u);
    EXPECT_EQ(grid.GetColour({0, 1}), 3u);
    EXPECT_EQ(grid.GetColour({0, 2}), 5u);
    EXPECT_EQ(grid.GetColour({0, 3}), 0u);
}

TEST(PaletteGridLogic, LinesAfterTheLastCellAreIgnored)
{
    std::string text;
    for (int k = 0; k < kGridCells + 5; ++k)
        text += std::to_string(k < kGridCells ? 1000 + k : 99) + "\r\n";
    CPaletteGridLogic grid;
    grid.SetPaletteText(CTextBuffer(text.c_str()));
    EXPECT_EQ(grid.GetColour({0, 0}), 1000u);
    EXPECT_EQ(grid.GetColour({14, 14}), 1224u);
    EXPECT_EQ(grid.GetPaletteText().View(), std::string_view(text).substr(0, text.size() - 5 * 4));
}

TEST(PaletteGridLogic, PaletteTextRoundTrip)
{
    CPaletteGridLogic source = DistinctPalette();
    source.Select({0, 0});
    source.SetSelectedColour(0xFFFFFFFF);
    source.Select({8, 3});
    source.SetSelectedColour(0xFF00FF00);
    source.Select({14, 14});
    source.SetSelectedColour(0);

    CPaletteGridLogic copy;
    copy.SetPaletteText(source.GetPaletteText());
    for (int c = 0; c < kGridColumns; ++c)
        for (int r = 0; r < kGridRows; ++r)
            ASSERT_EQ(copy.GetColour({c, r}), source.GetColour({c, r})) << c << ", " << r;
    EXPECT_EQ(copy.GetSelection(), (GridCell{0, 0}));
}
