#include "text/Numbers.h"

#include "model/Ascii.h"

#include <limits>

int32_t ParseDecimal(std::string_view text)
{
    size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    constexpr int64_t kLimit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    int64_t value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > kLimit)
            value = kLimit;
    }
    if (negative)
        return int32_t(-value);
    return value >= kLimit ? std::numeric_limits<int32_t>::max() : int32_t(value);
}

std::optional<int32_t> ParseNonNegativeInteger(std::string_view text)
{
    size_t pos = 0;
    while (pos < text.size() && IsAsciiWhitespace(text[pos]))
        ++pos;
    const bool negative = pos < text.size() && text[pos] == '-';
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    const size_t first = pos;
    int64_t value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > std::numeric_limits<int32_t>::max())
            return std::nullopt;
    }
    if (pos == first || (negative && value != 0))
        return std::nullopt;
    return int32_t(value);
}
