// Colour texts as browsers read them: the CSS named colours (HTML colour
// attributes and CSS share the list) and the plain hex forms.
#pragma once

#include "model/Scheme.h"

#include <optional>
#include <string_view>

// The colour of a name in any ASCII case; nothing for an unknown name and for
// "transparent", which is no colour of its own.
std::optional<COLORREF> FindNamedColour(std::string_view name);

// A named colour, "#rgb", "#rrggbb" or "rrggbb" (hex digits of either case),
// with blanks around it allowed; nothing for any other text.
std::optional<COLORREF> ParseSimpleColour(std::string_view text);
