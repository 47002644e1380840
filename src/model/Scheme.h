// The scheme: the one record from which the body tag and the preview are
// made, and the colour word with its in-band default mark.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// 0x00BBGGRR; a non-zero top byte marks the colour as default.
using COLORREF = uint32_t;

constexpr COLORREF kDefaultMark = 0xFF000000u;
constexpr COLORREF kRgbMask = 0x00FFFFFFu;

constexpr COLORREF MakeColour(uint8_t red, uint8_t green, uint8_t blue)
{
    return COLORREF(red) | COLORREF(green) << 8 | COLORREF(blue) << 16;
}
constexpr uint8_t RedOf(COLORREF c)
{
    return c & 0xFF;
}
constexpr uint8_t GreenOf(COLORREF c)
{
    return (c >> 8) & 0xFF;
}
constexpr uint8_t BlueOf(COLORREF c)
{
    return (c >> 16) & 0xFF;
}

struct Scheme
{
    Scheme() { ResetScheme(); }

    // Every field but background back to its default.
    void ResetScheme();

    COLORREF bgcolor;
    COLORREF text;
    COLORREF link;
    COLORREF vlink;
    COLORREF alink;
    int32_t topmargin;  // -1 = default
    int32_t sidemargin; // -1 = default; written as leftmargin
    uint8_t useback;
    uint8_t watermark;
    std::string background; // bytes, as read from a file or typed
};

bool operator==(const Scheme& a, const Scheme& b);

// An image URL as a browser takes it, from an attribute or from CSS: C0
// controls and blanks cut at both ends, tabs and line ends dropped inside.
std::string ImagePathOfUrl(std::string_view value);
// An image path read from a page: when not empty it becomes the scheme's
// image, turned on (true); an empty one changes nothing (false).
bool UseImagePath(Scheme& scheme, const std::string& path);

// Any non-zero top byte counts as default.
constexpr bool IsDefaultColour(COLORREF value)
{
    return (value & kDefaultMark) != 0;
}

// "#rrggbb" of the stored RGB (the default mark is ignored).
std::string FormatColour(COLORREF value, bool hexUpper);

// Reads "#" and three components of one or two hex digits each; a component
// that cannot be read is 0. The result is always explicit.
COLORREF ParseColour(std::string_view text);
