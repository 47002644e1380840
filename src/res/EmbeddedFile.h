// A file whose bytes are compiled into the program (cmake/EmbedFiles.cmake).
#pragma once

#include <span>

struct EmbeddedFile
{
    int key;
    std::span<const unsigned char> bytes;
};
