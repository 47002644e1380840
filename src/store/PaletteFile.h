// Palette files: the 10-byte marker line "zvpal225\r\n", then the palette
// text form (one "%d\r\n" line per cell). Turning that text into colours is
// the palette grid's business. GIMP palettes (.gpl) are read and written too,
// through the same palette text.
#pragma once

#include "text/TextBuffer.h"

#include <cstdint>

inline constexpr char kPaletteMarker[] = "zvpal225\r\n";
inline constexpr uint32_t kPaletteMarkerLength = sizeof kPaletteMarker - 1;
// For AddDefaultExtension and the file dialogs' filter.
inline constexpr char kPaletteExtension[] = "zvpal";
// No palette comes near this; a larger file is refused before it is read.
inline constexpr uint32_t kMaxPaletteFileSize = 1024 * 1024;

enum class PaletteFileStatus
{
    Ok,
    CannotRead,     // missing, unreadable, not a regular file
    TooLarge,       // over kMaxPaletteFileSize
    NotPaletteFile, // neither the marker nor a GIMP palette
    // A file named .gpl, or beginning "GIMP Palette", that cannot be read as
    // a GIMP palette:
    NotText,
    NoGimpHeader,
    BadGimpComponent,
};

// When text begins with the marker (byte for byte, case included), removes it
// and returns true; otherwise leaves text as it was.
bool StripPaletteMarker(CTextBuffer& text);

// The marker followed by the palette text.
CTextBuffer BuildPaletteFileText(const CTextBuffer& paletteText);

// On Ok, paletteText holds what follows the marker (possibly empty), or the
// palette text of a GIMP palette's first colours in the grid's reading
// order; otherwise it is unchanged. On BadGimpComponent, *badLine (when
// given) is the file's line, counted from 1.
PaletteFileStatus ReadPaletteFile(const char* path, CTextBuffer& paletteText, int* badLine = nullptr);

// A GIMP palette, named after the file, when the path ends in ".gpl";
// otherwise the marker and the palette text. Replaces the file whole by the
// rule of files/AtomicFile.h: a failed save leaves an existing file as it was.
bool WritePaletteFile(const char* path, const CTextBuffer& paletteText);
