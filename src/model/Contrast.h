// WCAG 2.x contrast of the scheme's text and link colours against its
// background.
#pragma once

#include "model/Scheme.h"

#include <array>

// The colours a browser uses for what the scheme leaves at the default.
inline constexpr COLORREF kBrowserBackground = MakeColour(0xFF, 0xFF, 0xFF);
inline constexpr COLORREF kBrowserText = MakeColour(0x00, 0x00, 0x00);
inline constexpr COLORREF kBrowserLink = MakeColour(0x00, 0x00, 0xEE);
inline constexpr COLORREF kBrowserVisited = MakeColour(0x55, 0x1A, 0x8B);
inline constexpr COLORREF kBrowserActive = MakeColour(0xFF, 0x00, 0x00);

// (L1 + 0.05) / (L2 + 0.05) with L1 the lighter: 1 to 21, either order.
double ContrastRatio(COLORREF a, COLORREF b);

enum class ContrastLevel
{
    Fail, // under 4.5:1
    AA,   // 4.5:1 or more
    AAA,  // 7:1 or more
};

// The level for normal-size text; the ratio is compared unrounded.
ContrastLevel RateContrast(double ratio);

// The ratios of text, link, visited and active against the background, a
// default colour counting as the browser's.
std::array<double, 4> SchemeContrasts(const Scheme& scheme);
