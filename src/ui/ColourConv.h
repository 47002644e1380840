// Colour words <-> wx colours. The default mark never reaches wx: only the
// red, green and blue bytes cross.
#pragma once

#include "model/Scheme.h"

#include <wx/colour.h>

inline wxColour ColourToWx(COLORREF colour)
{
    return wxColour(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

inline COLORREF ColourFromWx(const wxColour& colour)
{
    return MakeColour(colour.Red(), colour.Green(), colour.Blue());
}
