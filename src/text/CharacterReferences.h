// Attribute values as a browser's HTML tokenizer reads them.
#pragma once

#include <string>
#include <string_view>

// The value of a raw attribute value (the bytes between its quotes): character
// references decoded (all the named ones of HTML, decimal and hex ones) with
// the historical rule that leaves "&not=" and "&notx" alone, NUL as U+FFFD,
// CR LF and CR as LF. Decoded characters are written in UTF-8; other bytes
// are kept as they are.
std::string DecodeAttributeValue(std::string_view raw);
