#include "platform/FileDialogs.h"

#include "platform/ProcessEnd.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"

#include <wx/arrstr.h>
#include <wx/msgdlg.h>

#include <gtk/gtk.h>

namespace {

// The pattern with each letter as a bracket of both its cases: "*.JPG" and
// "*.jpg" both match "*.[jJ][pP][gG]".
wxString AnyCasePattern(const wxString& pattern)
{
    wxString any;
    for (const wxUniChar c : pattern) {
        const wxString lower = wxString(c).Lower();
        const wxString upper = wxString(c).Upper();
        any += lower == upper ? lower : "[" + lower + upper + "]";
    }
    return any;
}

} // namespace

wxString LoadFilter(int stringId)
{
    const wxArrayString parts = wxSplit(wxString::FromUTF8(LoadResString(stringId)), '|', '\0');
    wxString filter;
    // Descriptions and pattern lists alternate; empty ones close the filter.
    for (size_t i = 0; i + 1 < parts.size() && !parts[i].empty(); i += 2) {
        wxArrayString patterns = wxSplit(parts[i + 1], ';', '\0');
        for (wxString& pattern : patterns) {
            pattern.Trim(true).Trim(false);
            if (pattern == "*.*")
                pattern = "*";
        }
        if (!filter.empty())
            filter += '|';
        filter += parts[i] + '|' + wxJoin(patterns, ';', '\0');
    }
    return filter;
}

CFileDialog::CFileDialog(wxWindow* parent, int titleId, int filterId, long style)
    : wxFileDialog(parent, wxString::FromUTF8(LoadResString(titleId)), wxString(), wxString(), LoadFilter(filterId),
                   style)
{
    NoteFileChooserShown();
    // wx keeps the plain patterns, which it also reads to name saved files;
    // each GTK filter takes an any-case copy of them besides.
    const wxArrayString parts = wxSplit(GetWildcard(), '|', '\0');
    GSList* filters = gtk_file_chooser_list_filters(GTK_FILE_CHOOSER(m_widget));
    size_t index = 1;
    for (GSList* item = filters; item && index < parts.size(); item = item->next, index += 2) {
        for (const wxString& pattern : wxSplit(parts[index], ';', '\0'))
            gtk_file_filter_add_pattern(GTK_FILE_FILTER(item->data), AnyCasePattern(pattern).utf8_str());
    }
    g_slist_free(filters);
}

void CFileDialog::SetPath(const wxString& path)
{
    m_strSetPath = path;
    wxFileDialog::SetPath(path);
}

wxString CFileDialog::GetPath() const
{
    const wxString chosen = wxFileDialog::GetPath();
    return chosen.empty() ? m_strSetPath : chosen;
}

std::string ToFilePath(const wxString& path)
{
    const wxCharBuffer bytes = path.fn_str();
    return std::string(bytes.data(), bytes.length());
}

wxString FormatFileMessage(int stringId, const wxString& path, int lineNumber)
{
    wxString text = wxString::FromUTF8(LoadResString(stringId));
    text.Replace("%s", path);
    text.Replace("%d", wxString::Format("%d", lineNumber));
    return text;
}

void ShowFileError(wxWindow* parent, int stringId, const wxString& path, int lineNumber)
{
    wxMessageBox(FormatFileMessage(stringId, path, lineNumber), wxString::FromUTF8(LoadResString(IDS_MESSAGE_CAPTION)),
                 wxOK | wxICON_ERROR, parent);
}
