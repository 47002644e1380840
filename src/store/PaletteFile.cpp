#include "store/PaletteFile.h"

#include "controls/PaletteGridLogic.h"
#include "store/FileNames.h"
#include "store/GimpPalette.h"

#include <cstring>
#include <string_view>
#include <utility>

#include <sys/stat.h>

namespace {

PaletteFileStatus ReadGimpPalette(const CTextBuffer& file, CTextBuffer& paletteText, int* badLine)
{
    const GimpPaletteRead read = ParseGimpPalette(file.View());
    switch (read.status) {
    case GimpPaletteStatus::Ok:
        break;
    case GimpPaletteStatus::NotText:
        return PaletteFileStatus::NotText;
    case GimpPaletteStatus::NoHeader:
        return PaletteFileStatus::NoGimpHeader;
    case GimpPaletteStatus::BadComponent:
        if (badLine)
            *badLine = read.line;
        return PaletteFileStatus::BadGimpComponent;
    }
    CPaletteGridLogic grid;
    grid.SetColoursInReadingOrder(read.colours);
    paletteText = grid.GetPaletteText();
    return PaletteFileStatus::Ok;
}

CTextBuffer BuildGimpPaletteFileText(const char* path, const CTextBuffer& paletteText)
{
    CPaletteGridLogic grid;
    grid.SetPaletteText(paletteText);
    const std::string_view name = FileNameOf(path);
    return BuildGimpPalette(name.substr(0, ExtensionDot(name)), grid.GetColoursInReadingOrder());
}

} // namespace

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

PaletteFileStatus ReadPaletteFile(const char* path, CTextBuffer& paletteText, int* badLine)
{
    struct stat st;
    if (stat(path, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > off_t(kMaxPaletteFileSize))
        return PaletteFileStatus::TooLarge;
    CTextBuffer text;
    if (!text.LoadFile(path))
        return PaletteFileStatus::CannotRead;
    if (text.Length() > kMaxPaletteFileSize) // grew since the check
        return PaletteFileStatus::TooLarge;
    if (StripPaletteMarker(text)) {
        paletteText = std::move(text);
        return PaletteFileStatus::Ok;
    }
    // Under another name, a GIMP palette is known by its first line.
    if (!IsGimpPalettePath(path) && !HasGimpPaletteHeader(text.View()))
        return PaletteFileStatus::NotPaletteFile;
    return ReadGimpPalette(text, paletteText, badLine);
}

bool WritePaletteFile(const char* path, const CTextBuffer& paletteText)
{
    const CTextBuffer text =
        IsGimpPalettePath(path) ? BuildGimpPaletteFileText(path, paletteText) : BuildPaletteFileText(paletteText);
    return text.SaveFile(path);
}
