#include "model/BodyTag.h"

#include "model/Ascii.h"
#include <algorithm>
#include <cstdio>

namespace {

// A CSS string: the quote and backslash escaped, control characters as hex
// escapes (the blank after one ends it).
void AppendCssString(std::string& out, std::string_view text, char quote)
{
    out += quote;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == quote || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\%x ", unsigned(byte));
            out += escape;
        } else {
            out += c;
        }
    }
    out += quote;
}

// An attribute value between double quotes that a browser reads back exactly
// as given: '"' and '&' as references.
void AppendAttributeValue(std::string& out, std::string_view text)
{
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
}

} // namespace

std::string ApplyTagCase(std::string_view piece, bool tagsUpper)
{
    std::string out(piece);
    for (char& c : out)
        c = tagsUpper ? AsciiUpper(c) : AsciiLower(c);
    return out;
}

std::string BuildBodyTag(const Scheme& scheme, bool tagsUpper, bool hexUpper)
{
    return BuildBodyTag(scheme, tagsUpper, hexUpper, false);
}

std::string BuildBodyTag(const Scheme& scheme, bool tagsUpper, bool hexUpper, bool withStyle,
                         std::string_view existingStyle)
{
    std::string tag = ApplyTagCase("<body", tagsUpper);
    tag.reserve(256 + scheme.background.size());

    const struct
    {
        const char* piece;
        COLORREF value;
    } colours[] = {
        {" bgcolor=\"", scheme.bgcolor}, {" text=\"", scheme.text},   {" link=\"", scheme.link},
        {" vlink=\"", scheme.vlink},     {" alink=\"", scheme.alink},
    };
    for (const auto& colour : colours) {
        if (IsDefaultColour(colour.value))
            continue;
        tag += ApplyTagCase(colour.piece, tagsUpper);
        tag += FormatColour(colour.value, hexUpper);
        tag += '"';
    }

    if (scheme.useback) {
        tag += ApplyTagCase(" background=\"", tagsUpper);
        AppendAttributeValue(tag, scheme.background);
        tag += '"';
        if (scheme.watermark)
            tag += ApplyTagCase(" bgproperties=\"fixed\"", tagsUpper);
    }

    const struct
    {
        const char* piece;
        int32_t value;
    } margins[] = {{" leftmargin=\"", scheme.sidemargin}, {" topmargin=\"", scheme.topmargin}};
    for (const auto& margin : margins) {
        if (margin.value == -1)
            continue;
        tag += ApplyTagCase(margin.piece, tagsUpper);
        tag += std::to_string(margin.value);
        tag += '"';
    }

    if (withStyle) {
        // Single quotes in the URL keep the attribute free of &quot;.
        const std::string style = MergeBodyStyle(existingStyle, BuildBodyDeclarations(scheme, hexUpper, '\''));
        if (!style.empty()) {
            tag += ApplyTagCase(" style=\"", tagsUpper);
            AppendAttributeValue(tag, style);
            tag += '"';
        }
    }

    tag += '>';
    return tag;
}

BodyDeclarations BuildBodyDeclarations(const Scheme& scheme, bool hexUpper, char quote)
{
    BodyDeclarations out;
    auto colour = [&](BodyProperty p, COLORREF value) {
        if (!IsDefaultColour(value))
            out[size_t(p)] = FormatColour(value, hexUpper);
    };
    colour(BodyProperty::BackgroundColor, scheme.bgcolor);
    colour(BodyProperty::Color, scheme.text);
    if (scheme.useback) {
        std::string& url = out[size_t(BodyProperty::BackgroundImage)];
        url = "url(";
        AppendCssString(url, scheme.background, quote);
        url += ')';
        if (scheme.watermark)
            out[size_t(BodyProperty::BackgroundAttachment)] = "fixed";
    }
    auto margin = [&](BodyProperty p, int32_t value) {
        if (value != -1)
            out[size_t(p)] = std::to_string(value) + "px";
    };
    margin(BodyProperty::MarginLeft, scheme.sidemargin);
    margin(BodyProperty::MarginTop, scheme.topmargin);
    return out;
}

std::string BuildBodyCss(const Scheme& scheme, bool hexUpper)
{
    std::string css;
    css.reserve(320 + scheme.background.size());
    const BodyDeclarations body = BuildBodyDeclarations(scheme, hexUpper, '"');
    if (std::ranges::any_of(body, [](const std::string& value) { return !value.empty(); })) {
        css += "body {\n";
        for (size_t p = 0; p < body.size(); ++p) {
            if (body[p].empty())
                continue;
            css += "  ";
            css += BodyPropertyName(BodyProperty(p));
            css += ": ";
            css += body[p];
            css += ";\n";
        }
        css += "}\n";
    }
    const struct
    {
        const char* selector;
        COLORREF value;
    } links[] = {{"a:link", scheme.link}, {"a:visited", scheme.vlink}, {"a:active", scheme.alink}};
    for (const auto& link : links) {
        if (IsDefaultColour(link.value))
            continue;
        css += link.selector;
        css += " {\n  color: ";
        css += FormatColour(link.value, hexUpper);
        css += ";\n}\n";
    }
    return css;
}
