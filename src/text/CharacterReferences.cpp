#include "text/CharacterReferences.h"

#include "model/Ascii.h"
#include "model/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace {

struct NamedReference
{
    std::string_view name; // with its ';', or one of the legacy names without
    std::string_view text;
};

#include "text/NamedReferences.inc"

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

const NamedReference* FindReference(std::string_view name)
{
    auto it = std::lower_bound(std::begin(kNamedReferences), std::end(kNamedReferences), name,
                               [](const NamedReference& entry, std::string_view key) { return entry.name < key; });
    return it != std::end(kNamedReferences) && it->name == name ? it : nullptr;
}

// Numeric references to 0x80..0x9F mean the windows-1252 characters; 0 keeps its code.
constexpr uint16_t kWindows1252[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                       0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

// A numeric reference at text[0] == '#'; the bytes it takes, 0 when it is none.
size_t DecodeNumeric(std::string_view text, std::string& out)
{
    const bool hex = text.size() > 1 && (text[1] == 'x' || text[1] == 'X');
    size_t i = hex ? 2 : 1;
    const size_t first = i;
    uint32_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        const int digit = hex ? HexDigitValue(c) : c >= '0' && c <= '9' ? c - '0' : -1;
        if (digit < 0)
            break;
        value = std::min<uint32_t>(value * (hex ? 16 : 10) + uint32_t(digit), 0x110000);
    }
    if (i == first)
        return 0;
    if (i < text.size() && text[i] == ';')
        ++i;
    if (value >= 0x80 && value <= 0x9F)
        value = kWindows1252[value - 0x80];
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        out += kReplacementCharacter;
    else
        AppendUtf8(out, value);
    return i;
}

// A named reference at text[0], the byte after '&'; the bytes it takes, 0 when it is none.
size_t DecodeNamed(std::string_view text, std::string& out)
{
    size_t run = 0;
    while (run < text.size() && IsAsciiAlnum(text[run]))
        ++run;
    // The longest match wins: the whole run with its ';', else a legacy name without one.
    if (run < text.size() && text[run] == ';') {
        if (const NamedReference* found = FindReference(text.substr(0, run + 1))) {
            out += found->text;
            return run + 1;
        }
    }
    for (size_t length = std::min(run, kLongestLegacyName); length > 0; --length) {
        if (const NamedReference* found = FindReference(text.substr(0, length))) {
            // In an attribute, "&not=" and "&notx" stay as they are written.
            if (length < text.size() && (text[length] == '=' || IsAsciiAlnum(text[length])))
                return 0;
            out += found->text;
            return length;
        }
    }
    return 0;
}

} // namespace

std::string DecodeAttributeValue(std::string_view raw)
{
    std::string out;
    out.reserve(raw.size());
    for (size_t i = 0; i < raw.size();) {
        const char c = raw[i++];
        if (c == '&' && i < raw.size()) {
            const std::string_view rest = raw.substr(i);
            const size_t taken = rest[0] == '#' ? DecodeNumeric(rest, out) : DecodeNamed(rest, out);
            i += taken;
            if (taken == 0)
                out += '&';
        } else if (c == '\r') {
            out += '\n';
            if (i < raw.size() && raw[i] == '\n')
                ++i;
        } else if (c == '\0') {
            out += kReplacementCharacter;
        } else {
            out += c;
        }
    }
    return out;
}
