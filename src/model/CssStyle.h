// The body properties of an inline style attribute, read as a browser reads
// them, and our own declarations merged into an existing style.
#pragma once

#include "model/Scheme.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The properties the scheme holds, in the order the CSS form writes them.
enum class BodyProperty
{
    BackgroundColor,
    Color,
    BackgroundImage,
    BackgroundAttachment,
    MarginLeft,
    MarginTop,
};
inline constexpr size_t kBodyPropertyCount = 6;

// The CSS name of a property ("background-color", ...).
std::string_view BodyPropertyName(BodyProperty property);

// One value per property, as CSS text; empty when the scheme leaves the
// property at the browser's default.
using BodyDeclarations = std::array<std::string, kBodyPropertyCount>;

// What a style sets of those properties. A property is absent when the style
// does not set it, or sets it to something the scheme cannot hold (a
// translucent colour, a gradient, several images, a margin in em or %, ...):
// whatever else set it then stands.
struct BodyStyle
{
    std::optional<COLORREF> bgcolor; // with the default mark: the browser's default (transparent)
    std::optional<COLORREF> text;    // with the default mark: the browser's default
    std::optional<bool> useback;     // an image, whose path is background
    std::string background;
    std::optional<bool> fixed;
    std::optional<int32_t> sidemargin; // -1: the browser's default
    std::optional<int32_t> topmargin;  // -1: the browser's default
};

// Reads the declarations of a style attribute's value (references already
// decoded): longhands and the background and margin shorthands, the last
// declaration winning unless an earlier one is !important; invalid
// declarations change nothing. Standards-mode rules: a length needs a unit.
BodyStyle ReadBodyStyle(std::string_view style);

// The scheme takes what the style sets; the rest stays. An empty URL shows no
// image, as an empty background attribute.
void ApplyBodyStyle(const BodyStyle& style, Scheme& scheme);

// The existing style without our longhands, followed by our declarations.
// Where a kept shorthand sets one of our properties to anything else than
// ours, our declaration follows it (as !important when the shorthand is),
// and "revert" stands for a default value; a property the kept declarations
// leave alone is written only when it is not default.
std::string MergeBodyStyle(std::string_view existing, const BodyDeclarations& ours);
