// The palette file reader on any file content, through a real file not named
// .gpl: only the exact marker or a GIMP palette's first line is accepted, the
// text after the marker is handed on unchanged, and the grid reads whatever
// that text holds.
#include "controls/PaletteGridLogic.h"
#include "store/GimpPalette.h"
#include "store/PaletteFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    // One in-memory file for the whole run, rewritten for each input.
    static const int fd = memfd_create("palette", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, bytes, size, 0) != ssize_t(size))
        std::abort();

    CTextBuffer palette("unchanged");
    const PaletteFileStatus status = ReadPaletteFile(path.c_str(), palette);
    const bool marked = size >= kPaletteMarkerLength && std::memcmp(bytes, kPaletteMarker, kPaletteMarkerLength) == 0;
    const bool gimp = !marked && HasGimpPaletteHeader(std::string_view(reinterpret_cast<const char*>(bytes), size));
    if (status == PaletteFileStatus::CannotRead || (marked && status != PaletteFileStatus::Ok) ||
        (!marked && !gimp && status != PaletteFileStatus::NotPaletteFile))
        std::abort();
    if (!marked) {
        if (status != PaletteFileStatus::Ok && palette.View() != "unchanged")
            std::abort();
        return 0;
    }
    if (BuildPaletteFileText(palette).View() != std::string_view(reinterpret_cast<const char*>(bytes), size))
        std::abort();

    CPaletteGridLogic grid;
    grid.SetPaletteText(palette);
    return 0;
}
