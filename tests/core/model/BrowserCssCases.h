// Chromium's computed values for inline style cases, made by
// scripts/browser-css-cases.sh, and our values written as Chromium writes
// computed ones.
#pragma once

#include "model/Scheme.h"

#include <cstdio>
#include <string>
#include <string_view>

// Cases without attributes: where the style sets nothing a rule of the page
// shows through, background rgb(1, 2, 3), colour rgb(4, 5, 6), image "unset",
// attachment local, margins 7px and 9px. Cases with attributes have no such
// rule: what the attributes give shows through.
struct BrowserCssCase
{
    const char* style;
    const char* attributes;
    const char* unread; // properties the browser sets but the scheme cannot hold
    const char* bgcolor;
    const char* color;
    const char* image;
    const char* attachment;
    const char* marginLeft;
    const char* marginTop;
};

inline constexpr BrowserCssCase kBrowserCssCases[] = {
#include "CssStyleCases.inc"
};

// "rgb(r, g, b)"; a default colour as the browser's, given.
inline std::string ComputedColour(COLORREF value, const char* browserDefault)
{
    if (IsDefaultColour(value))
        return browserDefault;
    char text[32];
    std::snprintf(text, sizeof text, "rgb(%u, %u, %u)", unsigned(RedOf(value)), unsigned(GreenOf(value)),
                  unsigned(BlueOf(value)));
    return text;
}

// An image: "none", or its path as a CSS string in double quotes.
inline std::string ComputedImage(bool useback, std::string_view path)
{
    if (!useback)
        return "none";
    std::string url = "url(\"";
    for (char c : path) {
        if (c == '"' || c == '\\')
            url += '\\';
        url += c;
    }
    return url + "\")";
}

// Pixels; the default margin of the body is 8px.
inline std::string ComputedMargin(int32_t value)
{
    return value == -1 ? "8px" : std::to_string(value) + "px";
}

// The first layer of a list value.
inline std::string FirstLayer(std::string_view value)
{
    return std::string(value.substr(0, value.find(',')));
}
