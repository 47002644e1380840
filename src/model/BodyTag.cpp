#include "model/BodyTag.h"

#include "model/Ascii.h"

std::string ApplyTagCase(std::string_view piece, bool tagsUpper)
{
    std::string out(piece);
    for (char& c : out)
        c = tagsUpper ? AsciiUpper(c) : AsciiLower(c);
    return out;
}

std::string BuildBodyTag(const Scheme& scheme, bool tagsUpper, bool hexUpper)
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
        // Written so that a browser reads back exactly the stored path.
        for (char c : scheme.background) {
            if (c == '"')
                tag += "&quot;";
            else if (c == '&')
                tag += "&amp;";
            else
                tag += c;
        }
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

    tag += '>';
    return tag;
}
