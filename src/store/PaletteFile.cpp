#include "store/PaletteFile.h"

#include <cstring>
#include <utility>

bool StripPaletteMarker(CTextBuffer& text)
{
    if (text.Length() < kPaletteMarkerLength || std::memcmp(text.Data(), kPaletteMarker, kPaletteMarkerLength) != 0)
        return false;
    text.Cut(int32_t(kPaletteMarkerLength));
    return true;
}

CTextBuffer BuildPaletteFileText(const CTextBuffer& paletteText)
{
    CTextBuffer text(kPaletteMarker);
    text.Append(paletteText.Data(), paletteText.Length());
    return text;
}

PaletteFileStatus ReadPaletteFile(const char* path, CTextBuffer& paletteText)
{
    CTextBuffer text;
    if (!text.LoadFile(path))
        return PaletteFileStatus::CannotRead;
    if (!StripPaletteMarker(text))
        return PaletteFileStatus::NotPaletteFile;
    paletteText = std::move(text);
    return PaletteFileStatus::Ok;
}

bool WritePaletteFile(const char* path, const CTextBuffer& paletteText)
{
    return BuildPaletteFileText(paletteText).SaveFile(path);
}
