// Reading the opening body tag of an HTML file into a scheme. A small
// tokenizer, not an HTML parser: nine attribute names, double quotes as
// separators, colours only as #rrggbb.
#pragma once

#include "model/Scheme.h"
#include "text/TextBuffer.h"

#include <optional>
#include <string_view>

enum class ImportResult
{
    Imported,
    CannotRead, // the file could not be opened or read
    NoBodyTag,  // the file holds no "<body" in any case
};

// Applies the attributes of a body tag's inside (the text between "<body" and
// ">") to the scheme as they come; a later attribute wins. A NUL byte ends
// the text. Resets nothing.
void ApplyBodyAttributes(std::string_view attributeText, Scheme& scheme);

// The attribute text of the first "<body" (any case) of a file's text, up to
// the next ">" or the end; nothing when there is no "<body".
std::optional<std::string_view> FindBodyAttributes(const CTextBuffer& file);

// On success the scheme is reset (all but background) and takes the first
// body tag's attributes; on failure it is left exactly as it was.
ImportResult ImportBodyText(const CTextBuffer& file, Scheme& scheme);
ImportResult ImportBodyTag(const char* path, Scheme& scheme);
