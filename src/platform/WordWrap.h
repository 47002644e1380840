// Word-wrapped text on a device context: the measuring and drawing that the
// preview needs (our stand-in for word-breaking DrawText with its
// calculate-rectangle mode).
#pragma once

#include <wx/dc.h>

// Size of text wrapped to width: the height of the block and the width of
// its widest line.
wxSize MeasureWrapped(wxDC& dc, const wxString& text, int width);

// Draws text wrapped to rect's width, left-aligned from rect's top.
void DrawWrapped(wxDC& dc, const wxString& text, const wxRect& rect);

// Draws one line centred horizontally and vertically in rect, clipped to it.
void DrawCentredLine(wxDC& dc, const wxString& text, const wxRect& rect);
