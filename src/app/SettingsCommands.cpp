// The stored settings and the palette commands of the main window.
#include "app/BodyTagDlg.h"

#include "pages/PageColour.h"
#include "platform/FileDialogs.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "store/FileNames.h"
#include "store/GimpPalette.h"
#include "store/PaletteFile.h"
#include "store/Settings.h"
#include "ui/MenuIds.h"
#include "ui/TextConv.h"

#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/stdpaths.h>

namespace {

CSettingsStore OpenStore()
{
    return CSettingsStore(CSettingsStore::DefaultPath());
}

// The folder of the running program, with its trailing separator.
std::string ExecutableFolder()
{
    const wxFileName exe(wxStandardPaths::Get().GetExecutablePath());
    return ToFilePath(exe.GetPathWithSep());
}

} // namespace

bool CBodyTagDlg::SaveSettings(SettingsGroups groups)
{
    const CSettingsStore store = OpenStore();
    bool saved = true;
    if (Includes(groups, SettingsGroups::Window)) {
        WindowOptions options;
        if (!IsIconized()) {
            const wxPoint position = GetPosition();
            options.left = position.x;
            options.top = position.y;
        }
        options.tagsUpper = IsOptionChecked(ID_OPTION_TAGS_UPPER);
        options.hexUpper = IsOptionChecked(ID_OPTION_HEX_UPPER);
        options.inputHex = IsOptionChecked(ID_OPTION_INPUT_HEX);
        options.cssStyle = IsOptionChecked(ID_OPTION_CSS_STYLE);
        saved &= SaveWindowGroup(store, options, LoadResString(IDS_VERSION), ExecutableFolder().c_str());
    }
    if (Includes(groups, SettingsGroups::Scheme))
        saved &= SaveSchemeGroup(store, m_scheme);
    if (Includes(groups, SettingsGroups::Palette))
        saved &= SavePaletteGroup(store, GetCurrentPaletteText());
    return saved;
}

void CBodyTagDlg::LoadSettings(SettingsGroups groups)
{
    const CSettingsStore store = OpenStore();
    if (Includes(groups, SettingsGroups::Window)) {
        const WindowOptions options = LoadWindowGroup(store);
        // Without a stored edge the window stays where the desktop put it.
        if (options.left || options.top) {
            const wxPoint present = GetPosition();
            Move(options.left.value_or(present.x), options.top.value_or(present.y));
        }
        wxMenuBar* bar = GetMenuBar();
        bar->Check(ToWxMenuId(ID_OPTION_TAGS_UPPER), options.tagsUpper);
        bar->Check(ToWxMenuId(ID_OPTION_HEX_UPPER), options.hexUpper);
        bar->Check(ToWxMenuId(ID_OPTION_INPUT_HEX), options.inputHex);
        bar->Check(ToWxMenuId(ID_OPTION_CSS_STYLE), options.cssStyle);
    }
    if (Includes(groups, SettingsGroups::Scheme))
        m_scheme = LoadSchemeGroup(store);
    if (Includes(groups, SettingsGroups::Palette)) {
        const CTextBuffer text = LoadPaletteGroup(store);
        for (int tab = 0; tab < 3; ++tab) {
            if (text.Length() > 0)
                GetColourPage(tab)->LoadPalette(text);
            else
                GetColourPage(tab)->ResetPalette();
        }
    }
}

CTextBuffer CBodyTagDlg::GetCurrentPaletteText() const
{
    const CPageColour* page = GetColourPage(m_wndTabs->GetSelection());
    return page ? page->GetPaletteText() : CTextBuffer();
}

bool CBodyTagDlg::CheckColourTabSelected()
{
    if (GetColourPage(m_wndTabs->GetSelection()))
        return true;
    wxMessageBox(LoadWxString(IDS_PALETTE_NEEDS_COLOUR_TAB), LoadWxString(IDS_MESSAGE_CAPTION),
                 wxOK | wxICON_EXCLAMATION, this);
    return false;
}

void CBodyTagDlg::OnLoadDefaultScheme()
{
    LoadSettings(SettingsGroups::Scheme);
    RefreshPages();
}

void CBodyTagDlg::OnSaveDefaultScheme()
{
    if (!SaveSettings(SettingsGroups::Scheme))
        ShowFileError(this, IDS_SETTINGS_CANNOT_WRITE, wxString::FromUTF8(CSettingsStore::DefaultPath()));
}

void CBodyTagDlg::OnLoadPaletteFile()
{
    CFileDialog dialog(this, IDS_TITLE_PALETTE_LOAD, IDS_FILTER_PALETTE, wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() == wxID_OK)
        LoadPaletteFile(dialog.GetPath());
}

bool CBodyTagDlg::LoadPaletteFile(const wxString& path)
{
    CTextBuffer text;
    int badLine = 0;
    int message = 0;
    switch (ReadPaletteFile(ToFilePath(path).c_str(), text, &badLine)) {
    case PaletteFileStatus::Ok:
        // Every colour page takes it, whichever tab is selected.
        for (int tab = 0; tab < 3; ++tab)
            GetColourPage(tab)->LoadPalette(text);
        return true;
    case PaletteFileStatus::CannotRead:
        message = IDS_PALETTE_CANNOT_READ;
        break;
    case PaletteFileStatus::TooLarge:
        message = IDS_PALETTE_TOO_LARGE;
        break;
    case PaletteFileStatus::NotPaletteFile:
        message = IDS_PALETTE_NOT_PALETTE;
        break;
    case PaletteFileStatus::NotText:
        message = IDS_PALETTE_NOT_TEXT;
        break;
    case PaletteFileStatus::NoGimpHeader:
        message = IDS_PALETTE_NO_GIMP_HEADER;
        break;
    case PaletteFileStatus::BadGimpComponent:
        message = IDS_PALETTE_BAD_COMPONENT;
        break;
    }
    ShowFileError(this, message, path, badLine);
    return false;
}

void CBodyTagDlg::OnSavePaletteFile()
{
    if (!CheckColourTabSelected())
        return;
    CFileDialog dialog(this, IDS_TITLE_PALETTE_SAVE, IDS_FILTER_PALETTE, wxFD_SAVE);
    while (dialog.ShowModal() == wxID_OK) {
        // GTK adds no extension of its own, and asks before replacing only
        // the name as typed: ask ourselves once the extension is on.
        // The second file type of the filter is the GIMP palette.
        const char* extension = dialog.GetFilterIndex() == 1 ? kGimpPaletteExtension : kPaletteExtension;
        const wxString path = wxString::FromUTF8(AddDefaultExtension(dialog.GetPath().utf8_string(), extension));
        if (wxFileExists(path) &&
            wxMessageBox(FormatFileMessage(IDS_FILE_REPLACE, path), LoadWxString(IDS_MESSAGE_CAPTION),
                         wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION, this) != wxYES)
            continue;
        if (!WritePaletteFile(ToFilePath(path).c_str(), GetCurrentPaletteText()))
            ShowFileError(this, IDS_PALETTE_CANNOT_WRITE, path);
        return;
    }
}

void CBodyTagDlg::OnLoadDefaultPalette()
{
    LoadSettings(SettingsGroups::Palette);
}

void CBodyTagDlg::OnSaveDefaultPalette()
{
    if (!CheckColourTabSelected())
        return;
    if (!SaveSettings(SettingsGroups::Palette))
        ShowFileError(this, IDS_SETTINGS_CANNOT_WRITE, wxString::FromUTF8(CSettingsStore::DefaultPath()));
}
