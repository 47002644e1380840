#include "text/HtmlImport.h"

#include "model/Ascii.h"
#include "model/ColourForms.h"
#include "model/CssStyle.h"
#include "text/Numbers.h"

namespace {

// The first of the attributes present, as a browser picks a margin even when
// its value then turns out unreadable.
void ApplyMargin(const BodyStartTag& tag, std::string_view preferred, std::string_view other, int32_t& margin)
{
    const TagAttribute* attribute = tag.Find(preferred);
    if (!attribute)
        attribute = tag.Find(other);
    if (!attribute)
        return;
    if (const auto value = ParseNonNegativeInteger(attribute->value))
        margin = *value;
}

// An image path as a URL parser takes it: without leading and trailing
// controls and spaces, and without tabs and line ends.
} // namespace

void ApplyBodyAttributes(const BodyStartTag& tag, Scheme& scheme)
{
    const struct
    {
        std::string_view name;
        COLORREF Scheme::*field;
    } colours[] = {{"bgcolor", &Scheme::bgcolor},
                   {"text", &Scheme::text},
                   {"link", &Scheme::link},
                   {"vlink", &Scheme::vlink},
                   {"alink", &Scheme::alink}};
    for (const auto& colour : colours) {
        if (const TagAttribute* attribute = tag.Find(colour.name))
            if (const auto value = ParseLegacyColour(attribute->value))
                scheme.*colour.field = *value;
    }

    if (const TagAttribute* background = tag.Find("background")) {
        const std::string path = ImagePathOfUrl(background->value);
        if (!path.empty()) {
            scheme.background.assign(path.data(), uint32_t(path.size()));
            scheme.useback = 1;
        }
    }
    if (const TagAttribute* properties = tag.Find("bgproperties"))
        if (EqualsIgnoreAsciiCase(StripAsciiWhitespace(properties->value), "fixed"))
            scheme.watermark = 1;

    ApplyMargin(tag, "marginwidth", "leftmargin", scheme.sidemargin);
    ApplyMargin(tag, "marginheight", "topmargin", scheme.topmargin);

    // An inline style wins over the attributes, as the cascade has it.
    if (const TagAttribute* style = tag.Find("style"))
        ApplyBodyStyle(ReadBodyStyle(style->value), scheme);
}

ImportResult ImportBodyText(const CTextBuffer& file, Scheme& scheme)
{
    const std::optional<BodyStartTag> tag = FindBodyStartTag(file.View());
    if (!tag)
        return ImportResult::NoBodyTag;
    Scheme imported = scheme;
    imported.ResetScheme();
    ApplyBodyAttributes(*tag, imported);
    scheme = imported;
    return ImportResult::Imported;
}

ImportResult ImportBodyTag(const char* path, Scheme& scheme)
{
    CTextBuffer file;
    if (!file.LoadFile(path))
        return ImportResult::CannotRead;
    return ImportBodyText(file, scheme);
}
