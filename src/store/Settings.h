// The three stored groups: window and options, the scheme, the default
// palette. Each Save is one commit of one key and tells whether it landed;
// each Load gives the fallback of every value that cannot be read (a missing
// key, an unreadable or damaged file, a value of another type or size).
//
// Binary values are little-endian: colour words and margins 4 bytes, flags
// and options 1 byte.
#pragma once

#include "model/Scheme.h"
#include "store/SettingsStore.h"
#include "text/TextBuffer.h"

#include <cstdint>
#include <optional>

inline constexpr char kWindowKeyPath[] = "SOFTWARE\\ZV\\ZV Velloran";
inline constexpr char kSchemeKeyPath[] = "SOFTWARE\\ZV\\ZV Velloran\\Scheme";
inline constexpr char kPaletteKeyPath[] = "SOFTWARE\\ZV\\ZV Velloran\\Palette";

// The window-and-options group. The defaults are the load fallbacks.
struct WindowOptions
{
    // The window's left and top edges in screen coordinates. On load, an edge
    // that was not read is absent: the window keeps its present one. On save,
    // leave both absent for a minimised window so the last normal position
    // stays stored.
    std::optional<int32_t> left;
    std::optional<int32_t> top;
    bool tagsUpper = false;
    bool hexUpper = true;
    bool inputHex = false;
    bool cssStyle = false;
};

// Writes "Version" (version), "Path" (folder, the executable's folder with a
// trailing "/"; not written when empty), "Left" and "top" when given, then
// "TagsUpper", "HexUpper", "InputHex" and "CssStyle" as 1 or 0.
bool SaveWindowGroup(const CSettingsStore& root, const WindowOptions& options, const char* version, const char* folder);
// Reads "Left", "Top" and the four options; "Version" and "Path" are never
// read. A non-zero option byte counts as checked.
WindowOptions LoadWindowGroup(const CSettingsStore& root);

// Writes "background", then "bgcolor", "text", "link", "vlink", "alink",
// "sidemargin", "topmargin", "watermark", "useback" as the fields' raw values,
// default marks included.
bool SaveSchemeGroup(const CSettingsStore& root, const Scheme& scheme);
// Every field that is not read keeps the default scheme's value; background
// falls back to the empty text.
Scheme LoadSchemeGroup(const CSettingsStore& root);

// Stores the palette text form under "Palette".
bool SavePaletteGroup(const CSettingsStore& root, const CTextBuffer& paletteText);
// The stored palette text; empty when none is stored (or it is empty), and
// then the caller gives every colour page the built-in default palette.
CTextBuffer LoadPaletteGroup(const CSettingsStore& root);
