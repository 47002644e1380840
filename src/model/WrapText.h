// Word wrapping as the platform's word-breaking text drawing does it: lines
// break between words, and at CR LF or LF; a word wider than the line stays
// whole on a line of its own.
#pragma once

#include <functional>
#include <string>
#include <vector>

// measure gives the width of a piece of text in pixels.
std::vector<std::u32string> WrapText(const std::u32string& text, int width,
                                     const std::function<int(const std::u32string&)>& measure);
