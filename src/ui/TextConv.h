// Byte texts (paths, tags) shown in and read from wx controls. Texts typed by
// the user are UTF-8; a text that came from a file in another encoding is
// shown as Latin-1 so that no byte is lost on screen.
#pragma once

#include <wx/string.h>

#include <string>
#include <string_view>

wxString BytesToDisplay(std::string_view bytes);
std::string DisplayToBytes(const wxString& text);

// The program's text of a string id (res/Strings.h).
wxString LoadWxString(int id);
