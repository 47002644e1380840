// The 15 by 15 palette grid of a colour page: the cells as a lattice of
// white one-pixel lines, the selected cell framed in black inside two white
// rings, moved by the left button and the arrow keys. A sunken edge sets it
// off from the page; with the focus, the selected cell's frame takes the
// selection colour; disabled, the grid is greyed.
//
// Every left-button press (whether or not it hit a cell or changed the
// selection) and every arrow key is reported to the parent, synchronously,
// as a wxEVT_BUTTON command event carrying the grid's window id (IDC_GRID
// on the colour page), after the selection and the off-screen image have
// changed. The parent then reads GetSelectedColour.
//
// The grid is drawn into an off-screen image made at the first paint; a
// paint only copies it, and a selection change redraws just the two cells
// concerned. Until the first paint, every operation changes only the data.
// The parent sizes the grid so that each client dimension is 15 * pitch + 1
// pixels; the grid draws whatever fits and leaves the rest button-face.
#pragma once

#include "controls/PaletteGridLogic.h"

#include <wx/bitmap.h>
#include <wx/control.h>
#include <wx/image.h>

class CPaletteGrid : public wxControl
{
public:
    // Shows and changes a palette kept elsewhere, which outlives the grid; no
    // window until Create.
    explicit CPaletteGrid(CPaletteGridLogic& logic) : m_logic(logic) {}
    // Keeps the colours and the selection set before it.
    bool Create(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxBORDER_SIMPLE);

    COLORREF GetSelectedColour() const { return m_logic.GetSelectedColour(); }
    GridCell GetSelection() const { return m_logic.GetSelection(); }
    COLORREF GetColour(GridCell cell) const { return m_logic.GetColour(cell); }

    // Stores the colour (as given) in the selected cell and redraws it. No
    // notification.
    void SetSelectedColour(COLORREF colour);
    // Selects a cell holding the colour, placing it in the grid when no cell
    // does (see CPaletteGridLogic::SelectColour). No notification.
    void SelectColour(COLORREF colour);

    // These two draw nothing: the caller follows with RedrawAll.
    void SetDefaultPalette() { m_logic.SetDefaultPalette(); }
    void SetPaletteText(CTextBuffer text) { m_logic.SetPaletteText(std::move(text)); }
    CTextBuffer GetPaletteText() const { return m_logic.GetPaletteText(); }

    void RedrawAll();

protected:
    wxSize DoGetBestSize() const override;
    void DoEnable(bool enable) override;

private:
    GridGeometry Geometry() const;
    static wxRect CellRect(const GridGeometry& geometry, GridCell cell);
    void DrawCell(const GridGeometry& geometry, GridCell cell, bool marked);
    void DrawAll();
    void DrawSelectionChange(const GridChange& change);
    void Notify();

    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnFocus(wxFocusEvent& event);

    CPaletteGridLogic& m_logic;
    wxImage m_image;     // the finished picture, enabled; made at the first paint
    wxBitmap m_bmpShown; // m_image as the screen shows it, made when first painted
};
