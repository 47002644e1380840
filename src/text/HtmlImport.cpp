#include "text/HtmlImport.h"

#include "files/AtomicFile.h"
#include "model/Ascii.h"
#include "model/ColourForms.h"
#include "model/CssStyle.h"
#include "text/Numbers.h"

#include <unistd.h>

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

    if (const TagAttribute* background = tag.Find("background"))
        UseImagePath(scheme, ImagePathOfUrl(background->value));
    if (const TagAttribute* properties = tag.Find("bgproperties"))
        if (EqualsIgnoreAsciiCase(StripAsciiWhitespace(properties->value), "fixed"))
            scheme.watermark = 1;

    ApplyMargin(tag, "marginwidth", "leftmargin", scheme.sidemargin);
    ApplyMargin(tag, "marginheight", "topmargin", scheme.topmargin);

    // An inline style wins over the attributes, as the cascade has it.
    if (const TagAttribute* style = tag.Find("style"))
        ApplyBodyStyle(ReadBodyStyle(style->value), scheme);
}

namespace {

ImportResult ImportTag(const BodyStartTag& tag, Scheme& scheme)
{
    Scheme imported = scheme;
    imported.ResetScheme();
    ApplyBodyAttributes(tag, imported);
    scheme = imported;
    return ImportResult::Imported;
}

} // namespace

ImportResult ImportBodyText(const CTextBuffer& file, Scheme& scheme)
{
    const std::optional<BodyStartTag> tag = FindBodyStartTag(file.View());
    if (!tag)
        return ImportResult::NoBodyTag;
    return ImportTag(*tag, scheme);
}

ImportResult ImportBodyTag(const char* path, Scheme& scheme)
{
    const int fd = OpenRegularFile(path);
    if (fd < 0)
        return ImportResult::CannotRead;
    CBodyTagScanner scanner;
    const bool read = ScanFile(fd, scanner, nullptr);
    ::close(fd);
    if (!read)
        return ImportResult::CannotRead;
    if (!scanner.Tag())
        return ImportResult::NoBodyTag;
    return ImportTag(*scanner.Tag(), scheme);
}
