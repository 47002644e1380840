// Checks shared by the HTML import and export fuzz targets.
#pragma once

#include "text/BodyStartTag.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>

// Stops the run so that libFuzzer keeps the input.
inline void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// A plain scan for "<body" in any case, independent of the buffer's quick search.
inline size_t FindBodyIgnoringCase(std::string_view text)
{
    constexpr std::string_view kBody = "<body";
    for (size_t i = 0; i + kBody.size() <= text.size(); ++i) {
        size_t k = 0;
        for (; k < kBody.size(); ++k) {
            const char c = text[i + k];
            if ((c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c) != kBody[k])
                break;
        }
        if (k == kBody.size())
            return i;
    }
    return std::string_view::npos;
}

// The scanner given the text `piece` bytes at a time.
inline CBodyTagScanner ScanInPieces(std::string_view text, size_t piece)
{
    CBodyTagScanner scanner;
    for (size_t at = 0, count = 0; at == 0 || count > 0;) {
        count = std::min(piece, text.size() - at);
        const std::span<char> room = scanner.Room(count);
        if (count > 0)
            std::memcpy(room.data(), text.data() + at, count);
        at += count;
        if (scanner.Scan(count, at == text.size()))
            break;
    }
    return scanner;
}
