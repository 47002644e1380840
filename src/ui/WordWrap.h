// Word-wrapped text on a device context: the measuring and drawing that the
// preview needs (our stand-in for word-breaking DrawText with its
// calculate-rectangle mode).
#pragma once

#include <wx/dc.h>

#include <vector>

// Text broken into the lines that fit width.
std::vector<wxString> WrapLines(wxDC& dc, const wxString& text, int width);

// Size of wrapped lines: the height of the block and the width of its
// widest line.
wxSize MeasureLines(wxDC& dc, const std::vector<wxString>& lines);

// Draws wrapped lines left-aligned from rect's top.
void DrawLines(wxDC& dc, const std::vector<wxString>& lines, const wxRect& rect);

// Draws one line centred horizontally and vertically in rect, clipped to it.
void DrawCentredLine(wxDC& dc, const wxString& text, const wxRect& rect);
