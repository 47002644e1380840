// Readable results for the HTML import and export tests.
#pragma once

#include "ScratchFiles.h"
#include "text/HtmlExport.h"
#include "text/HtmlImport.h"

#include <ostream>

inline void PrintTo(ImportResult result, std::ostream* os)
{
    const char* names[] = {"Imported", "CannotRead", "NoBodyTag"};
    *os << names[int(result)];
}

inline void PrintTo(ExportResult result, std::ostream* os)
{
    const char* names[] = {"Exported", "CannotRead", "CannotWrite"};
    *os << names[int(result)];
}
