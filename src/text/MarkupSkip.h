// A fast path of the body-tag reader over the plain markup that makes up most
// of a page: text and tags that the reader skips without reading their names.
#pragma once

#include <cstddef>
#include <string_view>

// Whether a tag whose name starts with these two bytes may be one of the
// elements the body-tag reader reads by name (defined beside that reader).
bool MayBeElement(char first, char second);

// From p, a position in text outside any tag, comment or raw text (and outside
// template contents), the furthest position q >= p it can vouch for such that
// reading p..q meets only text, end tags and start tags whose first two letters
// fail MayBeElement. It stops at the '<' of anything else ("<!", "<?", "</"
// without a letter, a name MayBeElement accepts) and at the '<' of a tag whose
// attribute quotes it cannot settle; q is again outside any tag. It reads no
// byte at or past the text's end, and stops short of the last 66 bytes.
size_t SkipOrdinaryMarkup(std::string_view text, size_t p);

// The same with 16-byte vectors, as on processors without AVX2, for tests.
size_t SkipOrdinaryMarkupBy16(std::string_view text, size_t p);
