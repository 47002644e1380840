// Palette files: the 10-byte marker line "zvpal225\r\n", then the palette
// text form (one "%d\r\n" line per cell). Turning that text into colours is
// the palette grid's business.
#pragma once

#include "text/TextBuffer.h"

#include <cstdint>

inline constexpr char kPaletteMarker[] = "zvpal225\r\n";
inline constexpr uint32_t kPaletteMarkerLength = sizeof kPaletteMarker - 1;
// For AddDefaultExtension and the file dialogs' filter.
inline constexpr char kPaletteExtension[] = "zvpal";

enum class PaletteFileStatus
{
    Ok,
    CannotRead,     // missing, unreadable, not a regular file, too large
    NotPaletteFile, // the first 10 bytes are not exactly the marker
};

// When text begins with the marker (byte for byte, case included), removes it
// and returns true; otherwise leaves text as it was.
bool StripPaletteMarker(CTextBuffer& text);

// The marker followed by the palette text.
CTextBuffer BuildPaletteFileText(const CTextBuffer& paletteText);

// On Ok, paletteText holds what follows the marker (possibly empty);
// otherwise it is unchanged.
PaletteFileStatus ReadPaletteFile(const char* path, CTextBuffer& paletteText);

// Replaces the file whole by the rule of files/AtomicFile.h: a failed save
// leaves an existing file as it was.
bool WritePaletteFile(const char* path, const CTextBuffer& paletteText);
