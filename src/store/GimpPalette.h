// GIMP palettes (.gpl), the text palette that GIMP, Inkscape, Krita, Scribus
// and gpick exchange: the line "GIMP Palette", optional "Name:" and
// "Columns:" lines, "#" comments, then one "R G B [name]" line per colour.
#pragma once

#include "model/Scheme.h"
#include "text/TextBuffer.h"

#include <span>
#include <string_view>
#include <vector>

inline constexpr char kGimpPaletteExtension[] = "gpl";

enum class GimpPaletteStatus
{
    Ok,
    NotText,      // control bytes other than tab, CR and LF
    NoHeader,     // the first line is not "GIMP Palette"
    BadComponent, // a colour line with a component outside 0..255
};

struct GimpPaletteRead
{
    GimpPaletteStatus status = GimpPaletteStatus::Ok;
    int line = 0;                  // on BadComponent: the line, counted from 1
    std::vector<COLORREF> colours; // on Ok: in the file's order
};

// The first line, after any UTF-8 byte order mark, is "GIMP Palette".
bool HasGimpPaletteHeader(std::string_view text);

// Lines end in LF or CR LF; a UTF-8 byte order mark is allowed.
GimpPaletteRead ParseGimpPalette(std::string_view text);

// "Name:" (control bytes made blanks), "Columns: 15" and one line per colour
// with its hex as the name; the high byte of a colour is not written.
CTextBuffer BuildGimpPalette(std::string_view name, std::span<const COLORREF> colours);

// The file name ends in ".gpl", in any case.
bool IsGimpPalettePath(std::string_view path);
