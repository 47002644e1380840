// File dialogs and failure messages shared by the menu commands.
#pragma once

#include <wx/filedlg.h>
#include <wx/string.h>
#include <wx/window.h>

#include <string>

// wxFileDialog whose GetPath also gives a path set with SetPath before the
// dialog was answered: GTK reports such a path only once the chooser has
// loaded its folder, which an answered-at-once dialog never does. Its
// filters match extensions in any case (GTK's own patterns are
// case-sensitive).
class CFileDialog : public wxFileDialog
{
public:
    // titleId and filterId name the title and the filter in the string table.
    CFileDialog(wxWindow* parent, int titleId, int filterId, long style);

    void SetPath(const wxString& path) override;
    wxString GetPath() const override;

private:
    wxString m_strSetPath;
};

// A file dialog's filter from the string table as GTK needs it: without
// the empty choice that a trailing "||" would add, without the blanks
// around each pattern (GTK would take them as part of it), and with "*.*"
// as "*" (on GTK it would hide the files without an extension).
wxString LoadFilter(int stringId);

// The path as the file functions take it (the file system's encoding).
std::string ToFilePath(const wxString& path);

// The string with its "%s" replaced by the path and its "%d", if any, by the
// number of the line at fault.
wxString FormatFileMessage(int stringId, const wxString& path, int lineNumber = 0);

// One message box naming the file, the string formatted as above.
void ShowFileError(wxWindow* parent, int stringId, const wxString& path, int lineNumber = 0);
