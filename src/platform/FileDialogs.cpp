#include "platform/FileDialogs.h"

#include "res/ResourceIds.h"
#include "res/Strings.h"

#include <wx/msgdlg.h>

wxString LoadFilter(int stringId)
{
    wxString filter = wxString::FromUTF8(LoadResString(stringId));
    while (filter.EndsWith("|"))
        filter.RemoveLast();
    return filter;
}

CFileDialog::CFileDialog(wxWindow* parent, int filterId, long style)
    : wxFileDialog(parent, wxString(), wxString(), wxString(), LoadFilter(filterId), style)
{}

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

wxString FormatFileMessage(int stringId, const wxString& path)
{
    wxString text = wxString::FromUTF8(LoadResString(stringId));
    text.Replace("%s", path);
    return text;
}

void ShowFileError(wxWindow* parent, int stringId, const wxString& path)
{
    wxMessageBox(FormatFileMessage(stringId, path), wxString::FromUTF8(LoadResString(IDS_MESSAGE_CAPTION)),
                 wxOK | wxICON_ERROR, parent);
}
