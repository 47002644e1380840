#include "store/GimpPalette.h"

#include "model/Ascii.h"
#include "store/FileNames.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr std::string_view kHeader = "GIMP Palette";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsTextByte(unsigned char c)
{
    return c >= 0x20 ? c != 0x7F : c == '\t' || c == '\r' || c == '\n';
}

std::string_view SkipBlanks(std::string_view s)
{
    while (!s.empty() && IsSpaceOrTab(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view TrimBlanks(std::string_view s)
{
    s = SkipBlanks(s);
    while (!s.empty() && IsSpaceOrTab(s.back()))
        s.remove_suffix(1);
    return s;
}

// Takes the next line off text, without its LF or CR LF.
std::string_view TakeLine(std::string_view& text)
{
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// A whole word of decimal digits with an optional sign, taken off the front
// of line; nothing (and line untouched) when the next word is not one.
// Values saturate well beyond 255.
std::optional<int> TakeNumber(std::string_view& line)
{
    std::string_view s = SkipBlanks(line);
    const bool negative = !s.empty() && s.front() == '-';
    if (!s.empty() && (s.front() == '-' || s.front() == '+'))
        s.remove_prefix(1);
    int value = 0;
    size_t digits = 0;
    for (; digits < s.size() && s[digits] >= '0' && s[digits] <= '9'; ++digits)
        value = std::min(value * 10 + (s[digits] - '0'), 100000);
    if (digits == 0 || (digits < s.size() && !IsSpaceOrTab(s[digits])))
        return std::nullopt;
    line = s.substr(digits);
    return negative ? -value : value;
}

} // namespace

bool HasGimpPaletteHeader(std::string_view text)
{
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    return EqualsIgnoreAsciiCase(TrimBlanks(TakeLine(text)), kHeader);
}

// A line that does not begin with three numbers ("Name:", "Columns:",
// comments, blank or stray lines) is skipped, as GIMP does. A component
// outside 0..255 is neither clamped nor its line skipped: the whole file is
// refused, since either repair would quietly give colours its author never
// chose.
GimpPaletteRead ParseGimpPalette(std::string_view text)
{
    GimpPaletteRead read;
    if (!std::ranges::all_of(text, [](char c) { return IsTextByte(static_cast<unsigned char>(c)); })) {
        read.status = GimpPaletteStatus::NotText;
        return read;
    }
    if (!HasGimpPaletteHeader(text)) {
        read.status = GimpPaletteStatus::NoHeader;
        return read;
    }
    TakeLine(text);
    for (int lineNumber = 2; !text.empty(); ++lineNumber) {
        std::string_view line = TakeLine(text);
        std::array<int, 3> rgb{};
        size_t found = 0;
        for (std::optional<int> number; found < rgb.size() && (number = TakeNumber(line)); ++found)
            rgb[found] = *number;
        if (found < rgb.size())
            continue;
        if (std::ranges::any_of(rgb, [](int component) { return component < 0 || component > 255; })) {
            read.status = GimpPaletteStatus::BadComponent;
            read.line = lineNumber;
            read.colours.clear();
            return read;
        }
        read.colours.push_back(MakeColour(uint8_t(rgb[0]), uint8_t(rgb[1]), uint8_t(rgb[2])));
    }
    return read;
}

CTextBuffer BuildGimpPalette(std::string_view name, std::span<const COLORREF> colours)
{
    // A line break in a file name would end the "Name:" line early.
    std::string cleanName(TrimBlanks(name));
    std::ranges::replace_if(
        cleanName, [](unsigned char c) { return c < 0x20 || c == 0x7F; }, ' ');
    CTextBuffer text("GIMP Palette\nName: ");
    text.Append(cleanName.data(), uint32_t(cleanName.size()));
    text.Append("\nColumns: 15\n"); // the grid's width, so GIMP shows the same rows
    for (COLORREF colour : colours) {
        char line[32];
        std::snprintf(line, sizeof line, "%3d %3d %3d\t#%02x%02x%02x\n", RedOf(colour), GreenOf(colour), BlueOf(colour),
                      RedOf(colour), GreenOf(colour), BlueOf(colour));
        text.Append(line);
    }
    return text;
}

bool IsGimpPalettePath(std::string_view path)
{
    const std::string_view name = FileNameOf(path);
    const size_t dot = ExtensionDot(name);
    return dot != std::string_view::npos && EqualsIgnoreAsciiCase(name.substr(dot + 1), kGimpPaletteExtension);
}
