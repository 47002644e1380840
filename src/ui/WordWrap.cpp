#include "ui/WordWrap.h"

#include "model/WrapText.h"

#include <algorithm>
#include <cstdlib>
#include <map>

std::vector<wxString> WrapLines(wxDC& dc, const wxString& text, int width)
{
    const std::wstring source = text.ToStdWstring();
    const std::u32string wide(source.begin(), source.end());
    auto measureWhole = [&dc](const std::u32string& piece) {
        return dc.GetTextExtent(wxString(std::wstring(piece.begin(), piece.end()))).x;
    };
    // Measuring every candidate line whole shapes each word again for every
    // word added after it. A candidate is first estimated as the sum of its
    // words (each with the blanks before it, measured once); only an estimate
    // close enough to the width for rounding and kerning at the joins to
    // matter is measured whole, so the breaks are those of whole measuring.
    std::map<std::u32string, int> wordWidths;
    auto measure = [&](const std::u32string& candidate) {
        int estimate = 0;
        int pieces = 0;
        for (size_t start = 0; start < candidate.size(); ++pieces) {
            const size_t wordStart = std::min(candidate.find_first_not_of(U' ', start), candidate.size());
            const size_t end = std::min(candidate.find(U' ', wordStart), candidate.size());
            const std::u32string word = candidate.substr(start, end - start);
            auto [known, added] = wordWidths.try_emplace(word, 0);
            if (added)
                known->second = measureWhole(word);
            estimate += known->second;
            start = end;
        }
        return std::abs(estimate - width) <= 2 * pieces + 2 ? measureWhole(candidate) : estimate;
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
