// The palette grid without its window: 15 by 15 colours, the one selected
// cell, the searches and moves on them, the palette text form and the
// geometry that turns client pixels into cells. Standard library only.
#pragma once

#include "model/Scheme.h"
#include "text/TextBuffer.h"

#include <array>
#include <optional>
#include <span>

constexpr int kGridColumns = 15;
constexpr int kGridRows = 15;
constexpr int kGridCells = kGridColumns * kGridRows;

// A cell: column and row, counted from 0 at the top left.
struct GridCell
{
    int col = 0;
    int row = 0;

    friend bool operator==(const GridCell&, const GridCell&) = default;
};

// What a change did, so that the window redraws only these cells: the
// previous cell plain, the new one marked (the same cell when only its
// colour changed).
struct GridChange
{
    GridCell previous;
    GridCell current;
    bool colourChanged = false;
};

enum class GridMove
{
    Left,
    Up,
    Right,
    Down,
};

// Pixel layout of a grid drawn into a client area: cell (c, r) has its
// lines on the pixel columns c * pitchX and (c + 1) * pitchX and on the
// pixel rows r * pitchY and (r + 1) * pitchY; neighbours share their lines.
struct GridGeometry
{
    int pitchX = 0;
    int pitchY = 0;

    static GridGeometry FromClientSize(int width, int height);

    // A point on a shared line belongs to the cell left of it or above it;
    // a point beyond the last right or bottom line hits no cell.
    std::optional<GridCell> HitTest(int x, int y) const;
};

class CPaletteGridLogic
{
public:
    // The default palette with cell (0, 0) selected.
    CPaletteGridLogic();

    COLORREF GetColour(GridCell cell) const { return m_aColours[StorageIndex(cell)]; }
    GridCell GetSelection() const { return m_ptSel; }
    COLORREF GetSelectedColour() const { return GetColour(m_ptSel); }

    // Colours are stored as given, high byte included.
    void SetSelectedColour(COLORREF colour);
    // Selects a cell holding the colour, placing it in the grid when no cell
    // does; nothing when the selected cell already holds it.
    std::optional<GridChange> SelectColour(COLORREF colour);
    GridChange Select(GridCell cell);
    // Wraps within the same row or column.
    GridChange Move(GridMove move);

    // The web-safe colours in reading order, then white; keeps the selection.
    void SetDefaultPalette();

    // 225 lines "%d\r\n" of the colour words, column by column.
    CTextBuffer GetPaletteText() const;
    // Line k gives cell k its leading decimal number after leading white
    // space; missing lines and lines without digits give 0, extra lines are
    // ignored. Keeps the selection.
    void SetPaletteText(CTextBuffer text);

    // The colours row by row, as the grid shows them.
    std::array<COLORREF, kGridCells> GetColoursInReadingOrder() const;
    // The first kGridCells colours fill the cells row by row; cells beyond
    // the last colour get 0, as missing palette lines do. Keeps the selection.
    void SetColoursInReadingOrder(std::span<const COLORREF> colours);

private:
    static int StorageIndex(GridCell cell) { return cell.col * kGridRows + cell.row; }
    static GridCell CellAtReadingPosition(int p) { return {p % kGridColumns, p / kGridColumns}; }

    std::array<COLORREF, kGridCells> m_aColours{};
    GridCell m_ptSel;
};
