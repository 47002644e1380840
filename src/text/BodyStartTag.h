// The opening body tag of an HTML text, found and read as a browser's parser
// finds and reads it. Positions are byte offsets into the text, so a caller
// can keep or stream the untouched text around the tag and its attributes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TagAttribute
{
    std::string name;  // ASCII letters lower-cased
    std::string value; // DecodeAttributeValue of the raw value; empty when there is none
    size_t begin;      // the attribute's first byte (of its name)
    size_t end;        // past its last byte (the closing quote, when quoted)
    size_t valueBegin; // the raw value without its quotes: [valueBegin, valueEnd)
    size_t valueEnd;
};

struct BodyStartTag
{
    size_t begin; // the '<'
    size_t end;   // past the closing '>', or the end of the text when the tag is not closed
    // Each name once, from its first occurrence (a browser drops the repeats), in text order.
    std::vector<TagAttribute> attributes;

    const TagAttribute* Find(std::string_view name) const;
};

// The first body start tag: "<body" in any case followed by white space, '/'
// or '>' (or the end of the text), outside comments, other markup
// declarations, the content of script, style, textarea, title, xmp, iframe,
// noembed, noframes and noscript, and template contents; nothing after
// <plaintext>. A quoted attribute value may hold '>'. Nothing when there is
// no such tag. Outside svg and math content, this is the tag a browser reads.
std::optional<BodyStartTag> FindBodyStartTag(std::string_view text);
