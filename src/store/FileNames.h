// File names chosen in the file dialogs.
#pragma once

#include <string>
#include <string_view>

// Adds "." and extension (given without its dot, e.g. "zvpal" or "html") when
// the file name after the last "/" has none. A name ending in "." gets the
// extension alone; a leading dot (".palette") does not start an extension; a
// path ending in "/" names no file and is returned unchanged.
std::string AddDefaultExtension(std::string_view path, std::string_view extension);

// The file name after the last "/".
std::string_view FileNameOf(std::string_view path);

// Where the file name's extension starts: its last dot, unless that dot
// leads the name; npos when it has no extension.
size_t ExtensionDot(std::string_view name);
