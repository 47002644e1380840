#include "ui/WordWrap.h"

#include "model/WrapText.h"

#include <algorithm>

std::vector<wxString> WrapLines(wxDC& dc, const wxString& text, int width)
{
    const std::wstring source = text.ToStdWstring();
    const std::u32string wide(source.begin(), source.end());
    auto measure = [&dc](const std::u32string& piece) {
        return dc.GetTextExtent(wxString(std::wstring(piece.begin(), piece.end()))).x;
    };
    std::vector<wxString> lines;
    for (const std::u32string& line : WrapText(wide, width, measure))
        lines.emplace_back(std::wstring(line.begin(), line.end()));
    return lines;
}

wxSize MeasureLines(wxDC& dc, const std::vector<wxString>& lines)
{
    wxSize size(0, 0);
    const int lineHeight = dc.GetCharHeight(); // a query of the font's metrics each time
    for (const wxString& line : lines) {
        size.x = std::max(size.x, dc.GetTextExtent(line).x);
        size.y += lineHeight;
    }
    return size;
}

void DrawLines(wxDC& dc, const std::vector<wxString>& lines, const wxRect& rect)
{
    int y = rect.y;
    const int lineHeight = dc.GetCharHeight();
    for (const wxString& line : lines) {
        dc.DrawText(line, rect.x, y);
        y += lineHeight;
    }
}

void DrawCentredLine(wxDC& dc, const wxString& text, const wxRect& rect)
{
    if (rect.width <= 0 || rect.height <= 0)
        return;
    wxDCClipper clip(dc, rect);
    const wxSize extent = dc.GetTextExtent(text);
    dc.DrawText(text, rect.x + (rect.width - extent.x) / 2, rect.y + (rect.height - extent.y) / 2);
}
