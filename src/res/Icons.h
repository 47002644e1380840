// The application icon (IDR_MAINFRAME) as PNG images, one per size, compiled
// into the program. Pure data: no window header here.
#pragma once

#include <array>
#include <span>

// Square sizes in pixels, smallest first.
inline constexpr std::array<int, 7> kIconSizes{16, 24, 32, 48, 64, 128, 256};

// The PNG file of the icon at size x size pixels; empty for a size not in
// kIconSizes.
std::span<const unsigned char> GetIconPng(int size);
