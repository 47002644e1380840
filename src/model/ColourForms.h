// Colour texts as browsers read them: the CSS named colours (HTML colour
// attributes and CSS share the list), the plain hex forms and the legacy
// colour attributes of HTML.
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

// The value of an HTML colour attribute (bgcolor, text, link...) as a browser
// reads it: nothing for an empty value and for "transparent", else a named
// colour, "#rgb", or the legacy rules that turn any other text into a colour
// ("chucknorris" is #C00000). The text is read as UTF-8.
std::optional<COLORREF> ParseLegacyColour(std::string_view text);
