// Readable results for the HTML import and export tests.
#pragma once

#include "ScratchFiles.h"
#include "text/HtmlExport.h"
#include "text/HtmlImport.h"

#include <ostream>
#include <string>

inline void PrintTo(ImportResult result, std::ostream* os)
{
    const char* names[] = {"Imported", "CannotRead", "NoBodyTag"};
    *os << names[int(result)];
}

inline void PrintTo(ExportResult result, std::ostream* os)
{
    const char* names[] = {"Exported", "CannotRead", "CannotWrite", "CannotCreate"};
    *os << names[int(result)];
}

// 5 MiB of CR LF markup without a body tag, for the large-file cases.
inline std::string LargeMarkup()
{
    std::string content;
    while (content.size() < (5u << 20))
        content += "<p>Line of text with <b>bold</b> and \xE9t\xE9, no tag of interest.</p>\r\n";
    return content;
}
