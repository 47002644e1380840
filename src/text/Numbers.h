// Reading the leading decimal number of a text, as HTML attributes and
// palette lines are read.
#pragma once

#include <cstdint>
#include <string_view>

// An optional "+" or "-", then decimal digits up to the first other byte; no
// digits give 0. Values beyond 32 bits saturate at INT32_MIN / INT32_MAX.
int32_t ParseDecimal(std::string_view text);
