// Writing a body tag into an HTML file: the file's body tag (as a browser
// finds it) is replaced by the new one, with the old tag kept in a comment
// below it.
#pragma once

#include "text/BodyStartTag.h"

#include <functional>
#include <string>
#include <string_view>

enum class ExportResult
{
    Exported,
    CannotRead,   // the file exists but could not be read; it was not touched
    CannotWrite,  // the file could not be written; it is as it was
    CannotCreate, // the file did not exist and could not be made
};

// A rewritten text is before + replacement + after, where before and after
// are the untouched text around the old tag (views into the text given).
struct BodyTagRewrite
{
    std::string_view before;
    std::string replacement;
    std::string_view after;
};

// The body tag found by FindBodyStartTag becomes newTag, a line end and
// "<!-- inside -->" (the old tag without "<" and ">", each "--" written
// "- -" so that the comment ends only where it should). The line end is the
// text's first one (CR LF, LF or CR), CR LF when it has none. A text without
// a body tag gets newTag in front. newTag ends at its first NUL.
BodyTagRewrite PlanBodyTagRewrite(std::string_view text, std::string_view newTag);

// The new tag, made knowing the old one (null when the text has none).
using BodyTagMaker = std::function<std::string(const BodyStartTag* oldTag)>;
BodyTagRewrite PlanBodyTagRewrite(std::string_view text, const BodyTagMaker& makeTag);

// A file that does not exist counts as empty; with skipRead the file's
// content is ignored and it is rewritten with newTag alone.
ExportResult ExportBodyTag(const char* path, std::string_view newTag, bool skipRead);
ExportResult ExportBodyTag(const char* path, const BodyTagMaker& makeTag, bool skipRead);
