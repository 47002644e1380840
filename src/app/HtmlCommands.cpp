// The HTML import and export commands of the main window.
#include "app/BodyTagDlg.h"

#include "model/BodyTag.h"
#include "platform/FileDialogs.h"
#include "res/ResourceIds.h"
#include "store/FileNames.h"
#include "text/HtmlExport.h"
#include "text/HtmlImport.h"

void CBodyTagDlg::OnImportHtml()
{
    CFileDialog dialog(this, IDS_TITLE_IMPORT, IDS_FILTER_HTML, wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK)
        return;
    ImportBodyTag(dialog.GetPath());
}

bool CBodyTagDlg::ImportBodyTag(const wxString& path)
{
    // The scheme changes only when the file was read and holds a body tag.
    switch (::ImportBodyTag(ToFilePath(path).c_str(), m_scheme)) {
    case ImportResult::Imported:
        RefreshPages();
        return true;
    case ImportResult::CannotRead:
        ShowFileError(this, IDS_IMPORT_CANNOT_READ, path);
        return false;
    case ImportResult::NoBodyTag:
        ShowFileError(this, IDS_IMPORT_NO_BODY, path);
        return false;
    }
    return false;
}

void CBodyTagDlg::OnExportHtml()
{
    // No overwrite prompt: export is meant to update an existing page.
    CFileDialog dialog(this, IDS_TITLE_EXPORT, IDS_FILTER_HTML, wxFD_SAVE);
    if (dialog.ShowModal() != wxID_OK)
        return;
    ExportBodyTag(wxString::FromUTF8(AddDefaultExtension(dialog.GetPath().utf8_string(), "html")));
}

bool CBodyTagDlg::ExportBodyTag(const wxString& path)
{
    // With the style option, the old tag's style keeps what is not ours.
    const auto makeTag = [this](const BodyStartTag* oldTag) {
        if (!IsOptionChecked(ID_OPTION_CSS_STYLE))
            return m_sBodyCode;
        const TagAttribute* style = oldTag ? oldTag->Find("style") : nullptr;
        return BuildTag(style ? std::string_view(style->value) : std::string_view());
    };
    switch (::ExportBodyTag(ToFilePath(path).c_str(), makeTag, false)) {
    case ExportResult::Exported:
        return true;
    case ExportResult::CannotRead:
        ShowFileError(this, IDS_EXPORT_CANNOT_READ, path);
        return false;
    case ExportResult::CannotWrite:
        ShowFileError(this, IDS_EXPORT_CANNOT_WRITE, path);
        return false;
    case ExportResult::CannotCreate:
        ShowFileError(this, IDS_EXPORT_CANNOT_CREATE, path);
        return false;
    }
    return false;
}
