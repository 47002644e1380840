// Reading the opening body tag of an HTML file into a scheme, with the values
// a browser takes from it.
#pragma once

#include "model/Scheme.h"
#include "text/BodyStartTag.h"
#include "text/TextBuffer.h"

enum class ImportResult
{
    Imported,
    CannotRead, // the file could not be opened or read
    NoBodyTag,  // the file holds no body start tag
};

// Sets what the tag's attributes give: the five colours (legacy colour
// values; an empty value or "transparent" sets nothing), the image (useback
// when the stripped path is not empty), bgproperties "fixed" in any case,
// and the margins (marginwidth before leftmargin, marginheight before
// topmargin; a value that is no non-negative integer sets nothing); then
// what the style attribute sets of the same properties (ReadBodyStyle), which
// wins over them. Resets nothing.
void ApplyBodyAttributes(const BodyStartTag& tag, Scheme& scheme);

// On success the scheme is reset (all but background) and takes the first
// body tag's attributes; on failure it is left exactly as it was.
ImportResult ImportBodyText(const CTextBuffer& file, Scheme& scheme);
// The same, reading the file only as far as its body tag, a piece at a time.
ImportResult ImportBodyTag(const char* path, Scheme& scheme);
