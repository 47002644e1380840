// Generation of the opening body tag from a scheme and the two case options.
#pragma once

#include "model/Scheme.h"

#include <string>
#include <string_view>

// The piece in upper case when tagsUpper, else in lower case (ASCII only).
std::string ApplyTagCase(std::string_view piece, bool tagsUpper);

// The whole tag, attributes in their fixed order: bgcolor, text, link, vlink,
// alink, background, bgproperties, leftmargin, topmargin. In the image path
// `"` is written "&quot;" and `&` "&amp;", which a browser reads back as they were.
std::string BuildBodyTag(const Scheme& scheme, bool tagsUpper, bool hexUpper);
