// Writing a body tag into an HTML file: the file's first body tag is replaced
// by the new one, with the old tag's attributes kept in a comment below it.
#pragma once

#include "text/TextBuffer.h"

#include <string_view>

enum class ExportResult
{
    Exported,
    CannotRead,  // the file exists but could not be read; it was not touched
    CannotWrite, // the file could not be written; it is as it was
};

// Every verbatim copy of the first body tag ("<body" in any case through the
// next ">", or to the end) becomes newTag, CR LF and "<!-- inside -->"; a
// text without "<body" gets newTag in front. Like any C string, newTag and
// the old tag end at their first NUL. False when the buffer could not grow;
// the text is then unchanged.
bool RewriteBodyTag(CTextBuffer& file, std::string_view newTag);

// A file that does not exist counts as empty; with skipRead the file's
// content is ignored and it is rewritten with newTag alone.
ExportResult ExportBodyTag(const char* path, std::string_view newTag, bool skipRead);
