#include "controls/PaletteGridLogic.h"

#include "text/Numbers.h"

#include <cstdio>

GridGeometry GridGeometry::FromClientSize(int width, int height)
{
    return {(width - 1) / kGridColumns, (height - 1) / kGridRows};
}

namespace {

// The smallest j in 1..count with pos <= j * pitch, less one.
std::optional<int> HitLine(int pos, int pitch, int count)
{
    for (int j = 1; j <= count; ++j) {
        if (pos <= j * pitch)
            return j - 1;
    }
    return std::nullopt;
}

bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

} // namespace

std::optional<GridCell> GridGeometry::HitTest(int x, int y) const
{
    const std::optional<int> col = HitLine(x, pitchX, kGridColumns);
    const std::optional<int> row = HitLine(y, pitchY, kGridRows);
    if (!col || !row)
        return std::nullopt;
    return GridCell{*col, *row};
}

CPaletteGridLogic::CPaletteGridLogic()
{
    SetDefaultPalette();
}

void CPaletteGridLogic::SetSelectedColour(COLORREF colour)
{
    m_aColours[StorageIndex(m_ptSel)] = colour;
}

std::optional<GridChange> CPaletteGridLogic::SelectColour(COLORREF colour)
{
    if (GetSelectedColour() == colour)
        return std::nullopt;

    for (int p = 0; p < kGridCells; ++p) {
        const GridCell cell = CellAtReadingPosition(p);
        if (GetColour(cell) == colour)
            return Select(cell);
    }

    // Reuse the last cell whose colour also occurs earlier in reading
    // order, so that a palette with spare duplicates (the default one's
    // whites) fills them before overwriting a distinct colour; with no
    // duplicate left, the last cell takes every new colour.
    GridCell target = CellAtReadingPosition(kGridCells - 1);
    for (int e = kGridCells - 1; e >= 1; --e) {
        const COLORREF candidate = GetColour(CellAtReadingPosition(e));
        bool seenEarlier = false;
        for (int p = e - 1; p >= 0 && !seenEarlier; --p)
            seenEarlier = GetColour(CellAtReadingPosition(p)) == candidate;
        if (seenEarlier) {
            target = CellAtReadingPosition(e);
            break;
        }
    }
    m_aColours[StorageIndex(target)] = colour;
    GridChange change = Select(target);
    change.colourChanged = true;
    return change;
}

GridChange CPaletteGridLogic::Select(GridCell cell)
{
    const GridChange change{m_ptSel, cell, false};
    m_ptSel = cell;
    return change;
}

GridChange CPaletteGridLogic::Move(GridMove move)
{
    GridCell cell = m_ptSel;
    switch (move) {
    case GridMove::Left:
        cell.col = (cell.col + kGridColumns - 1) % kGridColumns;
        break;
    case GridMove::Up:
        cell.row = (cell.row + kGridRows - 1) % kGridRows;
        break;
    case GridMove::Right:
        cell.col = (cell.col + 1) % kGridColumns;
        break;
    case GridMove::Down:
        cell.row = (cell.row + 1) % kGridRows;
        break;
    }
    return Select(cell);
}

void CPaletteGridLogic::SetDefaultPalette()
{
    constexpr int kWebSafe = 216;
    for (int k = 0; k < kWebSafe; ++k) {
        const auto step = [](int n) { return uint8_t(0x33 * (n % 6)); };
        m_aColours[StorageIndex(CellAtReadingPosition(k))] = MakeColour(step(k), step(k / 6), step(k / 36));
    }
    for (int p = kWebSafe; p < kGridCells; ++p)
        m_aColours[StorageIndex(CellAtReadingPosition(p))] = MakeColour(0xFF, 0xFF, 0xFF);
}

CTextBuffer CPaletteGridLogic::GetPaletteText() const
{
    CTextBuffer text;
    for (COLORREF colour : m_aColours) {
        char line[16];
        std::snprintf(line, sizeof line, "%d\r\n", int32_t(colour));
        text.Append(line);
    }
    return text;
}

void CPaletteGridLogic::SetPaletteText(CTextBuffer text)
{
    for (int k = 0; k < kGridCells; ++k) {
        const CTextBuffer line = text.GetLine(uint32_t(k));
        std::string_view digits = line.View();
        while (!digits.empty() && IsBlank(digits.front()))
            digits.remove_prefix(1);
        m_aColours[k] = COLORREF(ParseDecimal(digits));
    }
}

std::array<COLORREF, kGridCells> CPaletteGridLogic::GetColoursInReadingOrder() const
{
    std::array<COLORREF, kGridCells> colours{};
    for (int p = 0; p < kGridCells; ++p)
        colours[p] = GetColour(CellAtReadingPosition(p));
    return colours;
}

void CPaletteGridLogic::SetColoursInReadingOrder(std::span<const COLORREF> colours)
{
    for (int p = 0; p < kGridCells; ++p)
        m_aColours[StorageIndex(CellAtReadingPosition(p))] = size_t(p) < colours.size() ? colours[p] : 0;
}
