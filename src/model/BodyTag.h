// Generation of the opening body tag from a scheme and the two case options,
// and of the same scheme as CSS.
#pragma once

#include "model/CssStyle.h"
#include "model/Scheme.h"

#include <string>
#include <string_view>

// The piece in upper case when tagsUpper, else in lower case (ASCII only).
std::string ApplyTagCase(std::string_view piece, bool tagsUpper);

// The whole tag, attributes in their fixed order: bgcolor, text, link, vlink,
// alink, background, bgproperties, leftmargin, topmargin. In the image path
// `"` is written "&quot;" and `&` "&amp;", which a browser reads back as they were.
std::string BuildBodyTag(const Scheme& scheme, bool tagsUpper, bool hexUpper);
// The same, and with withStyle a last attribute, style, holding the body
// declarations merged into existingStyle (MergeBodyStyle); it is left out
// when that leaves nothing.
std::string BuildBodyTag(const Scheme& scheme, bool tagsUpper, bool hexUpper, bool withStyle,
                         std::string_view existingStyle = {});

// The body's values as CSS, under the tag's rule that a default is left out;
// the image URL is a CSS string in the given quote, read back exactly.
BodyDeclarations BuildBodyDeclarations(const Scheme& scheme, bool hexUpper, char quote);

// The stylesheet of the scheme: a body rule, then a:link, a:visited and
// a:active rules, each only when it holds something; LF line ends.
std::string BuildBodyCss(const Scheme& scheme, bool hexUpper);
