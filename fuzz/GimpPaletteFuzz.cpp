// The GIMP palette reader on any text: it refuses only in its three ways, and
// the colours it reads, written as a GIMP palette and read again, come back
// the same.
#include "controls/PaletteGridLogic.h"
#include "store/GimpPalette.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    const GimpPaletteRead read = ParseGimpPalette(text);
    if (read.status != GimpPaletteStatus::Ok) {
        if (!read.colours.empty() || (read.status == GimpPaletteStatus::BadComponent) != (read.line >= 2))
            std::abort();
        return 0;
    }
    if (read.line != 0)
        std::abort();
    for (COLORREF colour : read.colours)
        if (colour > kRgbMask)
            std::abort();

    // The start of the input makes a name with any bytes in it.
    const CTextBuffer written = BuildGimpPalette(text.substr(0, 40), read.colours);
    const GimpPaletteRead again = ParseGimpPalette(written.View());
    if (again.status != GimpPaletteStatus::Ok || again.colours != read.colours)
        std::abort();

    CPaletteGridLogic grid;
    grid.SetColoursInReadingOrder(read.colours);
    const auto shown = grid.GetColoursInReadingOrder();
    for (size_t p = 0; p < shown.size(); ++p)
        if (shown[p] != (p < read.colours.size() ? read.colours[p] : 0))
            std::abort();
    return 0;
}
