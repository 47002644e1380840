// Readable values in failed checks.
#pragma once

#include "controls/PaletteGridLogic.h"
#include "model/Scheme.h"
#include "text/TextBuffer.h"

#include <cstdio>
#include <ostream>
#include <string_view>

// Bytes quoted, with the control and non-ASCII ones escaped.
inline void PrintBytes(std::string_view bytes, std::ostream* os)
{
    *os << '"';
    for (unsigned char c : bytes) {
        if (c == '\r')
            *os << "\\r";
        else if (c == '\n')
            *os << "\\n";
        else if (c < 0x20 || c >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            *os << hex;
        } else
            *os << c;
    }
    *os << "\" (" << bytes.size() << " bytes)";
}

inline void PrintTo(const CTextBuffer& buffer, std::ostream* os)
{
    PrintBytes(buffer.View(), os);
}

inline void PrintTo(const Scheme& s, std::ostream* os)
{
    char line[160];
    std::snprintf(line, sizeof line,
                  "{bgcolor %08X text %08X link %08X vlink %08X alink %08X top %d side %d useback %u watermark %u "
                  "background ",
                  s.bgcolor, s.text, s.link, s.vlink, s.alink, s.topmargin, s.sidemargin, unsigned(s.useback),
                  unsigned(s.watermark));
    *os << line;
    PrintBytes(s.background, os);
    *os << '}';
}

inline void PrintTo(const GridCell& cell, std::ostream* os)
{
    *os << '(' << cell.col << ", " << cell.row << ')';
}
