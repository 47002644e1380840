// Checks shared by the HTML import and export fuzz targets.
#pragma once

#include "text/BodyStartTag.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
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

// Gives the scanner the text from `at` on, `piece` bytes at a time.
inline void FeedInPieces(CBodyTagScanner& scanner, std::string_view text, size_t piece, size_t at = 0)
{
    for (bool done = false; !done;) {
        const size_t count = std::min(piece, text.size() - at);
        const std::span<char> room = scanner.Room(count);
        if (count > 0)
            std::memcpy(room.data(), text.data() + at, count);
        at += count;
        done = scanner.Scan(count, at == text.size());
    }
}

// The scanner given the text `piece` bytes at a time.
inline CBodyTagScanner ScanInPieces(std::string_view text, size_t piece)
{
    CBodyTagScanner scanner;
    FeedInPieces(scanner, text, piece);
    return scanner;
}

// The same as a big file is read ahead: each piece scanned in a block of its
// own behind the bytes kept from the piece before, until more than `room`
// bytes are kept; the scanner then holds them and reads on by itself.
inline CBodyTagScanner ScanAheadInPieces(std::string_view text, size_t piece, size_t room)
{
    CBodyTagScanner scanner;
    for (size_t at = 0, kept = 0;;) {
        const size_t count = std::min(piece, text.size() - at);
        const std::string block(text.substr(at - kept, kept + count));
        at += count;
        if (scanner.ScanIn(block, at == text.size()))
            return scanner;
        kept = scanner.Kept();
        if (kept > room) {
            scanner.Hold(std::string_view(block).substr(block.size() - kept));
            FeedInPieces(scanner, text, piece, at);
            return scanner;
        }
    }
}
