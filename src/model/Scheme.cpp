#include "model/Scheme.h"

#include "model/Ascii.h"

#include <cstdio>

void Scheme::ResetScheme()
{
    bgcolor = 0xFFFFFFFFu;
    text = 0xFF000000u;
    link = 0xFFFF0000u;
    vlink = 0xFF990099u;
    alink = 0xFF0000FFu;
    topmargin = -1;
    sidemargin = -1;
    useback = 0;
    watermark = 0;
}

bool operator==(const Scheme& a, const Scheme& b)
{
    return a.bgcolor == b.bgcolor && a.text == b.text && a.link == b.link && a.vlink == b.vlink && a.alink == b.alink &&
           a.topmargin == b.topmargin && a.sidemargin == b.sidemargin && a.useback == b.useback &&
           a.watermark == b.watermark && a.background == b.background;
}

std::string FormatColour(COLORREF value, bool hexUpper)
{
    char out[8];
    std::snprintf(out, sizeof out, hexUpper ? "#%02X%02X%02X" : "#%02x%02x%02x", unsigned(RedOf(value)),
                  unsigned(GreenOf(value)), unsigned(BlueOf(value)));
    return out;
}

COLORREF ParseColour(std::string_view text)
{
    // Each component is one or two hex digits of either case; the first one
    // that cannot be read ends the scan, and it and every later one stay 0.
    uint8_t parts[3] = {0, 0, 0};
    size_t pos = 0;
    if (text.empty() || text[0] != '#')
        return 0;
    ++pos;
    for (uint8_t& part : parts) {
        int first = pos < text.size() ? HexDigitValue(text[pos]) : -1;
        if (first < 0)
            break;
        ++pos;
        int value = first;
        int second = pos < text.size() ? HexDigitValue(text[pos]) : -1;
        if (second >= 0) {
            value = value * 16 + second;
            ++pos;
        }
        part = uint8_t(value);
    }
    return MakeColour(parts[0], parts[1], parts[2]);
}

std::string ImagePathOfUrl(std::string_view value)
{
    const auto control = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!value.empty() && control(value.front()))
        value.remove_prefix(1);
    while (!value.empty() && control(value.back()))
        value.remove_suffix(1);
    std::string path;
    for (char c : value)
        if (c != '\t' && c != '\n' && c != '\r')
            path += c;
    return path;
}

bool UseImagePath(Scheme& scheme, const std::string& path)
{
    if (path.empty())
        return false;
    scheme.background = path;
    scheme.useback = 1;
    return true;
}
