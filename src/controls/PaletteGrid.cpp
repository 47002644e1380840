#include "controls/PaletteGrid.h"
#include "ui/ColourConv.h"

#include <wx/dcclient.h>
#include <wx/settings.h>

#include <algorithm>
#include <array>

namespace {

// Filled rectangles only: no pen, so nothing is anti-aliased across pixels.
void Fill(wxDC& dc, int x, int y, int w, int h, const wxColour& colour)
{
    if (w <= 0 || h <= 0)
        return;
    dc.SetBrush(wxBrush(colour));
    dc.DrawRectangle(x, y, w, h);
}

// The part of the rectangle inside the image, written as pixels: a whole
// grid is 450 fills, through a memory DC ten times the cost.
void Fill(wxImage& image, int x, int y, int w, int h, const wxColour& colour)
{
    const int left = std::max(x, 0);
    const int right = std::min(x + w, image.GetWidth());
    const int top = std::max(y, 0);
    const int bottom = std::min(y + h, image.GetHeight());
    const unsigned char rgb[] = {colour.Red(), colour.Green(), colour.Blue()};
    for (int row = top; row < bottom; ++row) {
        unsigned char* pixel = image.GetData() + (size_t(row) * image.GetWidth() + left) * 3;
        for (int col = left; col < right; ++col, pixel += 3)
            std::copy(rgb, rgb + 3, pixel);
    }
}

// wxImage::ConvertToDisabled's colours: it greys each channel on its own.
wxImage Disabled(const wxImage& image)
{
    static const std::array<unsigned char, 256> grey = [] {
        std::array<unsigned char, 256> table{};
        for (int v = 0; v < 256; ++v) {
            unsigned char r = v, g = v, b = v;
            wxColour::MakeDisabled(&r, &g, &b);
            table[v] = r;
        }
        return table;
    }();
    wxImage disabled = image.Copy();
    unsigned char* data = disabled.GetData();
    std::transform(data, data + size_t(disabled.GetWidth()) * disabled.GetHeight() * 3, data,
                   [](unsigned char v) { return grey[v]; });
    return disabled;
}

} // namespace

bool CPaletteGrid::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    if (!wxControl::Create(parent, id, pos, size, style | wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE))
        return false;
    Bind(wxEVT_PAINT, &CPaletteGrid::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CPaletteGrid::OnLeftDown, this);
    Bind(wxEVT_KEY_DOWN, &CPaletteGrid::OnKeyDown, this);
    Bind(wxEVT_SET_FOCUS, &CPaletteGrid::OnFocus, this);
    Bind(wxEVT_KILL_FOCUS, &CPaletteGrid::OnFocus, this);
    return true;
}

void CPaletteGrid::DoEnable(bool enable)
{
    wxControl::DoEnable(enable);
    m_bmpShown = wxBitmap();
    Refresh(false);
}

void CPaletteGrid::OnFocus(wxFocusEvent& event)
{
    Refresh(false);
    event.Skip();
}

wxSize CPaletteGrid::DoGetBestSize() const
{
    constexpr int kPitch = 12;
    return wxSize(kGridColumns * kPitch + 1, kGridRows * kPitch + 1) + GetWindowBorderSize();
}

GridGeometry CPaletteGrid::Geometry() const
{
    const wxSize client = GetClientSize();
    return GridGeometry::FromClientSize(client.x, client.y);
}

void CPaletteGrid::SetSelectedColour(COLORREF colour)
{
    m_logic.SetSelectedColour(colour);
    const GridCell cell = m_logic.GetSelection();
    DrawSelectionChange({cell, cell, true});
}

void CPaletteGrid::SelectColour(COLORREF colour)
{
    if (const std::optional<GridChange> change = m_logic.SelectColour(colour))
        DrawSelectionChange(*change);
}

void CPaletteGrid::RedrawAll()
{
    DrawAll();
    if (m_image.IsOk())
        Refresh(false);
}

// A cell's rectangle: its lines on x0 and x1 = x0 + pitch, both included.
wxRect CPaletteGrid::CellRect(const GridGeometry& geometry, GridCell cell)
{
    return {cell.col * geometry.pitchX, cell.row * geometry.pitchY, geometry.pitchX + 1, geometry.pitchY + 1};
}

void CPaletteGrid::DrawCell(const GridGeometry& geometry, GridCell cell, bool marked)
{
    const auto [x0, y0, w, h] = CellRect(geometry, cell);
    const wxColour colour = ColourToWx(m_logic.GetColour(cell));
    if (!marked) {
        Fill(m_image, x0, y0, w, h, *wxWHITE);
        Fill(m_image, x0 + 1, y0 + 1, w - 2, h - 2, colour);
        return;
    }
    Fill(m_image, x0, y0, w, h, *wxBLACK);
    Fill(m_image, x0 + 1, y0 + 1, w - 2, h - 2, *wxWHITE);
    Fill(m_image, x0 + 3, y0 + 3, w - 6, h - 6, colour);
}

void CPaletteGrid::DrawAll()
{
    if (!m_image.IsOk())
        return;
    m_bmpShown = wxBitmap();
    const GridGeometry geometry = Geometry();
    for (int row = 0; row < kGridRows; ++row)
        for (int col = 0; col < kGridColumns; ++col)
            DrawCell(geometry, {col, row}, false);
    DrawCell(geometry, m_logic.GetSelection(), true);
}

void CPaletteGrid::DrawSelectionChange(const GridChange& change)
{
    if (!m_image.IsOk())
        return;
    m_bmpShown = wxBitmap();
    const GridGeometry geometry = Geometry();
    DrawCell(geometry, change.previous, false);
    DrawCell(geometry, change.current, true);
    Refresh(false);
}

void CPaletteGrid::Notify()
{
    wxCommandEvent event(wxEVT_BUTTON, GetId());
    event.SetEventObject(this);
    ProcessWindowEvent(event);
}

void CPaletteGrid::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxSize client = GetClientSize();
    if (client.x <= 0 || client.y <= 0)
        return;
    // Made at the first paint, and again when the client size has changed
    // since, so that the picture always matches the current geometry.
    if (!m_image.IsOk() || m_image.GetSize() != client) {
        m_image.Create(client, false);
        Fill(m_image, 0, 0, client.x, client.y, wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
        DrawAll();
    }
    // The bitmap of the current picture and state, made again only after a
    // change of either (DoEnable drops it).
    if (!m_bmpShown.IsOk())
        m_bmpShown = wxBitmap(IsEnabled() ? m_image : Disabled(m_image));
    dc.DrawBitmap(m_bmpShown, 0, 0);
    if (!IsEnabled())
        return;
    if (HasFocus()) {
        // Over the selected cell's black line and the white ring inside it.
        const GridGeometry geometry = Geometry();
        const GridCell cell = m_logic.GetSelection();
        const wxColour mark = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
        const auto [x0, y0, w, h] = CellRect(geometry, cell);
        dc.SetPen(*wxTRANSPARENT_PEN);
        Fill(dc, x0, y0, w, 2, mark);
        Fill(dc, x0, y0 + h - 2, w, 2, mark);
        Fill(dc, x0, y0, 2, h, mark);
        Fill(dc, x0 + w - 2, y0, 2, h, mark);
    }
}

void CPaletteGrid::OnLeftDown(wxMouseEvent& event)
{
    const std::optional<GridCell> cell = Geometry().HitTest(event.GetX(), event.GetY());
    if (cell && *cell != m_logic.GetSelection())
        DrawSelectionChange(m_logic.Select(*cell));
    Notify();
    event.Skip();
}

void CPaletteGrid::OnKeyDown(wxKeyEvent& event)
{
    GridMove move;
    switch (event.GetKeyCode()) {
    case WXK_LEFT:
    case WXK_NUMPAD_LEFT:
        move = GridMove::Left;
        break;
    case WXK_UP:
    case WXK_NUMPAD_UP:
        move = GridMove::Up;
        break;
    case WXK_RIGHT:
    case WXK_NUMPAD_RIGHT:
        move = GridMove::Right;
        break;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN:
        move = GridMove::Down;
        break;
    default:
        event.Skip(); // Tab among them: it still moves the focus on
        return;
    }
    DrawSelectionChange(m_logic.Move(move));
    Notify();
}
