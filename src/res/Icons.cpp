#include "res/Icons.h"

#include "res/EmbeddedFile.h"

#include <algorithm>

// icons/velloran-<size>.png keyed by size, generated at build time.
extern const std::span<const EmbeddedFile> kIconPngFiles;

std::span<const unsigned char> GetIconPng(int size)
{
    const auto it = std::ranges::find(kIconPngFiles, size, &EmbeddedFile::key);
    return it != kIconPngFiles.end() ? it->bytes : std::span<const unsigned char>{};
}
