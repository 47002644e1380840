// File dialogs and failure messages shared by the menu commands.
#pragma once

#include <wx/string.h>
#include <wx/window.h>

#include <string>

// A file dialog's filter from the string table, without the empty choice
// that a trailing "||" would add on GTK.
wxString LoadFilter(int stringId);

// The path as the file functions take it (the file system's encoding).
std::string ToFilePath(const wxString& path);

// The string with its "%s" replaced by the path.
wxString FormatFileMessage(int stringId, const wxString& path);

// One message box naming the file: the string's "%s" becomes the path.
void ShowFileError(wxWindow* parent, int stringId, const wxString& path);
