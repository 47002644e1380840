#include "model/ColourForms.h"

#include "model/Ascii.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace {

struct NamedColour
{
    std::string_view name;
    COLORREF colour;
};

// Sorted by name for a binary search; values as a browser computes them.
constexpr NamedColour kNamedColours[] = {
    {"aliceblue", MakeColour(240, 248, 255)},
    {"antiquewhite", MakeColour(250, 235, 215)},
    {"aqua", MakeColour(0, 255, 255)},
    {"aquamarine", MakeColour(127, 255, 212)},
    {"azure", MakeColour(240, 255, 255)},
    {"beige", MakeColour(245, 245, 220)},
    {"bisque", MakeColour(255, 228, 196)},
    {"black", MakeColour(0, 0, 0)},
    {"blanchedalmond", MakeColour(255, 235, 205)},
    {"blue", MakeColour(0, 0, 255)},
    {"blueviolet", MakeColour(138, 43, 226)},
    {"brown", MakeColour(165, 42, 42)},
    {"burlywood", MakeColour(222, 184, 135)},
    {"cadetblue", MakeColour(95, 158, 160)},
    {"chartreuse", MakeColour(127, 255, 0)},
    {"chocolate", MakeColour(210, 105, 30)},
    {"coral", MakeColour(255, 127, 80)},
    {"cornflowerblue", MakeColour(100, 149, 237)},
    {"cornsilk", MakeColour(255, 248, 220)},
    {"crimson", MakeColour(220, 20, 60)},
    {"cyan", MakeColour(0, 255, 255)},
    {"darkblue", MakeColour(0, 0, 139)},
    {"darkcyan", MakeColour(0, 139, 139)},
    {"darkgoldenrod", MakeColour(184, 134, 11)},
    {"darkgray", MakeColour(169, 169, 169)},
    {"darkgreen", MakeColour(0, 100, 0)},
    {"darkgrey", MakeColour(169, 169, 169)},
    {"darkkhaki", MakeColour(189, 183, 107)},
    {"darkmagenta", MakeColour(139, 0, 139)},
    {"darkolivegreen", MakeColour(85, 107, 47)},
    {"darkorange", MakeColour(255, 140, 0)},
    {"darkorchid", MakeColour(153, 50, 204)},
    {"darkred", MakeColour(139, 0, 0)},
    {"darksalmon", MakeColour(233, 150, 122)},
    {"darkseagreen", MakeColour(143, 188, 143)},
    {"darkslateblue", MakeColour(72, 61, 139)},
    {"darkslategray", MakeColour(47, 79, 79)},
    {"darkslategrey", MakeColour(47, 79, 79)},
    {"darkturquoise", MakeColour(0, 206, 209)},
    {"darkviolet", MakeColour(148, 0, 211)},
    {"deeppink", MakeColour(255, 20, 147)},
    {"deepskyblue", MakeColour(0, 191, 255)},
    {"dimgray", MakeColour(105, 105, 105)},
    {"dimgrey", MakeColour(105, 105, 105)},
    {"dodgerblue", MakeColour(30, 144, 255)},
    {"firebrick", MakeColour(178, 34, 34)},
    {"floralwhite", MakeColour(255, 250, 240)},
    {"forestgreen", MakeColour(34, 139, 34)},
    {"fuchsia", MakeColour(255, 0, 255)},
    {"gainsboro", MakeColour(220, 220, 220)},
    {"ghostwhite", MakeColour(248, 248, 255)},
    {"gold", MakeColour(255, 215, 0)},
    {"goldenrod", MakeColour(218, 165, 32)},
    {"gray", MakeColour(128, 128, 128)},
    {"green", MakeColour(0, 128, 0)},
    {"greenyellow", MakeColour(173, 255, 47)},
    {"grey", MakeColour(128, 128, 128)},
    {"honeydew", MakeColour(240, 255, 240)},
    {"hotpink", MakeColour(255, 105, 180)},
    {"indianred", MakeColour(205, 92, 92)},
    {"indigo", MakeColour(75, 0, 130)},
    {"ivory", MakeColour(255, 255, 240)},
    {"khaki", MakeColour(240, 230, 140)},
    {"lavender", MakeColour(230, 230, 250)},
    {"lavenderblush", MakeColour(255, 240, 245)},
    {"lawngreen", MakeColour(124, 252, 0)},
    {"lemonchiffon", MakeColour(255, 250, 205)},
    {"lightblue", MakeColour(173, 216, 230)},
    {"lightcoral", MakeColour(240, 128, 128)},
    {"lightcyan", MakeColour(224, 255, 255)},
    {"lightgoldenrodyellow", MakeColour(250, 250, 210)},
    {"lightgray", MakeColour(211, 211, 211)},
    {"lightgreen", MakeColour(144, 238, 144)},
    {"lightgrey", MakeColour(211, 211, 211)},
    {"lightpink", MakeColour(255, 182, 193)},
    {"lightsalmon", MakeColour(255, 160, 122)},
    {"lightseagreen", MakeColour(32, 178, 170)},
    {"lightskyblue", MakeColour(135, 206, 250)},
    {"lightslategray", MakeColour(119, 136, 153)},
    {"lightslategrey", MakeColour(119, 136, 153)},
    {"lightsteelblue", MakeColour(176, 196, 222)},
    {"lightyellow", MakeColour(255, 255, 224)},
    {"lime", MakeColour(0, 255, 0)},
    {"limegreen", MakeColour(50, 205, 50)},
    {"linen", MakeColour(250, 240, 230)},
    {"magenta", MakeColour(255, 0, 255)},
    {"maroon", MakeColour(128, 0, 0)},
    {"mediumaquamarine", MakeColour(102, 205, 170)},
    {"mediumblue", MakeColour(0, 0, 205)},
    {"mediumorchid", MakeColour(186, 85, 211)},
    {"mediumpurple", MakeColour(147, 112, 219)},
    {"mediumseagreen", MakeColour(60, 179, 113)},
    {"mediumslateblue", MakeColour(123, 104, 238)},
    {"mediumspringgreen", MakeColour(0, 250, 154)},
    {"mediumturquoise", MakeColour(72, 209, 204)},
    {"mediumvioletred", MakeColour(199, 21, 133)},
    {"midnightblue", MakeColour(25, 25, 112)},
    {"mintcream", MakeColour(245, 255, 250)},
    {"mistyrose", MakeColour(255, 228, 225)},
    {"moccasin", MakeColour(255, 228, 181)},
    {"navajowhite", MakeColour(255, 222, 173)},
    {"navy", MakeColour(0, 0, 128)},
    {"oldlace", MakeColour(253, 245, 230)},
    {"olive", MakeColour(128, 128, 0)},
    {"olivedrab", MakeColour(107, 142, 35)},
    {"orange", MakeColour(255, 165, 0)},
    {"orangered", MakeColour(255, 69, 0)},
    {"orchid", MakeColour(218, 112, 214)},
    {"palegoldenrod", MakeColour(238, 232, 170)},
    {"palegreen", MakeColour(152, 251, 152)},
    {"paleturquoise", MakeColour(175, 238, 238)},
    {"palevioletred", MakeColour(219, 112, 147)},
    {"papayawhip", MakeColour(255, 239, 213)},
    {"peachpuff", MakeColour(255, 218, 185)},
    {"peru", MakeColour(205, 133, 63)},
    {"pink", MakeColour(255, 192, 203)},
    {"plum", MakeColour(221, 160, 221)},
    {"powderblue", MakeColour(176, 224, 230)},
    {"purple", MakeColour(128, 0, 128)},
    {"rebeccapurple", MakeColour(102, 51, 153)},
    {"red", MakeColour(255, 0, 0)},
    {"rosybrown", MakeColour(188, 143, 143)},
    {"royalblue", MakeColour(65, 105, 225)},
    {"saddlebrown", MakeColour(139, 69, 19)},
    {"salmon", MakeColour(250, 128, 114)},
    {"sandybrown", MakeColour(244, 164, 96)},
    {"seagreen", MakeColour(46, 139, 87)},
    {"seashell", MakeColour(255, 245, 238)},
    {"sienna", MakeColour(160, 82, 45)},
    {"silver", MakeColour(192, 192, 192)},
    {"skyblue", MakeColour(135, 206, 235)},
    {"slateblue", MakeColour(106, 90, 205)},
    {"slategray", MakeColour(112, 128, 144)},
    {"slategrey", MakeColour(112, 128, 144)},
    {"snow", MakeColour(255, 250, 250)},
    {"springgreen", MakeColour(0, 255, 127)},
    {"steelblue", MakeColour(70, 130, 180)},
    {"tan", MakeColour(210, 180, 140)},
    {"teal", MakeColour(0, 128, 128)},
    {"thistle", MakeColour(216, 191, 216)},
    {"tomato", MakeColour(255, 99, 71)},
    {"turquoise", MakeColour(64, 224, 208)},
    {"violet", MakeColour(238, 130, 238)},
    {"wheat", MakeColour(245, 222, 179)},
    {"white", MakeColour(255, 255, 255)},
    {"whitesmoke", MakeColour(245, 245, 245)},
    {"yellow", MakeColour(255, 255, 0)},
    {"yellowgreen", MakeColour(154, 205, 50)},
};

} // namespace

std::optional<COLORREF> FindNamedColour(std::string_view name)
{
    // The longest name is "lightgoldenrodyellow".
    char lower[24];
    if (name.size() >= sizeof lower)
        return std::nullopt;
    for (size_t i = 0; i < name.size(); ++i)
        lower[i] = AsciiLower(name[i]);
    const std::string_view key(lower, name.size());
    auto it = std::lower_bound(std::begin(kNamedColours), std::end(kNamedColours), key,
                               [](const NamedColour& entry, std::string_view k) { return entry.name < k; });
    if (it == std::end(kNamedColours) || it->name != key)
        return std::nullopt;
    return it->colour;
}

std::optional<COLORREF> ParseSimpleColour(std::string_view text)
{
    text = StripAsciiWhitespace(text);
    if (auto named = FindNamedColour(text))
        return named;
    const bool hash = !text.empty() && text[0] == '#';
    std::string_view digits = hash ? text.substr(1) : text;
    if (digits.size() != 6 && !(hash && digits.size() == 3))
        return std::nullopt;
    int value[6];
    for (size_t i = 0; i < digits.size(); ++i)
        if ((value[i] = HexDigitValue(digits[i])) < 0)
            return std::nullopt;
    if (digits.size() == 3)
        return MakeColour(uint8_t(value[0] * 17), uint8_t(value[1] * 17), uint8_t(value[2] * 17));
    return MakeColour(uint8_t(value[0] * 16 + value[1]), uint8_t(value[2] * 16 + value[3]),
                      uint8_t(value[4] * 16 + value[5]));
}

std::optional<COLORREF> ParseLegacyColour(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    text = StripAsciiWhitespace(text);
    if (EqualsIgnoreAsciiCase(text, "transparent"))
        return std::nullopt;
    if (auto named = FindNamedColour(text))
        return named;
    if (text.size() == 4 && text[0] == '#')
        if (auto shortForm = ParseSimpleColour(text))
            return shortForm;

    // Each character becomes hex digits, up to 128 with the '#': a hex digit
    // stays, a character beyond U+FFFF gives "0000" (two UTF-16 units, as
    // Chromium counts them), any other character "0".
    const bool hash = !text.empty() && text[0] == '#';
    const size_t limit = hash ? 127 : 128;
    std::string digits;
    for (size_t i = hash; i < text.size() && digits.size() < limit;) {
        const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
        const unsigned char lead = byte(i);
        size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xC2 ? 2 : 1;
        if (lead < 0x80 || lead > 0xF4)
            length = 1;
        for (size_t k = 1; k < length; ++k)
            if (i + k >= text.size() || (byte(i + k) & 0xC0) != 0x80)
                length = 1;
        digits += length == 4 ? "0000" : length == 1 && HexDigitValue(text[i]) >= 0 ? text.substr(i, 1) : "0";
        i += length;
    }
    digits.resize(std::min(digits.size(), limit));
    while (digits.empty() || digits.size() % 3 != 0)
        digits += '0';

    // Three equal parts, each cut to its last 8 digits, then leading zeros
    // common to all three dropped while more than 2 digits remain, then the
    // first 2 digits of each.
    const size_t part = digits.size() / 3;
    size_t from = part > 8 ? part - 8 : 0;
    size_t length = part - from;
    const auto digit = [&](int which, size_t k) { return digits[which * part + from + k]; };
    while (length > 2 && digit(0, 0) == '0' && digit(1, 0) == '0' && digit(2, 0) == '0')
        ++from, --length;
    const auto component = [&](int which) {
        const int high = HexDigitValue(digit(which, 0));
        return uint8_t(length == 1 ? high : high * 16 + HexDigitValue(digit(which, 1)));
    };
    return MakeColour(component(0), component(1), component(2));
}
