// Reading the leading decimal number of a text, as HTML attributes and
// palette lines are read.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// An optional "+" or "-", then decimal digits up to the first other byte; no
// digits give 0. Values beyond 32 bits saturate at INT32_MIN / INT32_MAX.
int32_t ParseDecimal(std::string_view text);

// HTML's rules for parsing non-negative integers: blanks, an optional "+"
// (or "-" before a zero value), digits up to the first other byte. Nothing
// without digits, for a negative value and beyond INT32_MAX, as Chromium.
std::optional<int32_t> ParseNonNegativeInteger(std::string_view text);
