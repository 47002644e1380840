// The main window: tabs with the five pages, the preview, the body code box
// and the menu. It owns the scheme; every page writes into it and calls
// UpdateBodyCode, and RefreshPages makes the pages show it again after it
// changed from outside (import, stored defaults, options).
#pragma once

#include "model/PreviewLayout.h"
#include "model/Scheme.h"
#include "pages/PageOwner.h"
#include "text/TextBuffer.h"

#include <wx/bitmap.h>
#include <wx/font.h>
#include <wx/frame.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class wxNotebook;
class wxBookCtrlEvent;
class wxTextCtrl;
class wxPanel;
class wxMenu;
class wxHelpEvent;
class CPage;
class CPageColour;
class CPageBackground;
class CPageMargins;

// Groups of the stored settings.
enum class SettingsGroups : unsigned
{
    Window = 1, // position and options
    Scheme = 2,
    Palette = 4,
    All = 7,
};
constexpr bool Includes(SettingsGroups set, SettingsGroups group)
{
    return (unsigned(set) & unsigned(group)) != 0;
}

class CBodyTagDlg : public wxFrame, public CPageOwner
{
public:
    CBodyTagDlg();
    ~CBodyTagDlg() override;

    Scheme& GetScheme() override { return m_scheme; }
    // The check mark of an option item (the options have no other storage).
    bool IsOptionChecked(int menuId) const override;

    // Redraws the preview image, puts the tag into the body code box when it
    // differs from what the box holds, and the contrast line likewise.
    void UpdateBodyCode() override;
    wxWindow* GetOwnerWindow() override { return this; }
    // Every page shows the scheme again, then the code box and preview.
    void RefreshPages();

    // Reads the first body tag of an HTML file into the scheme; writes the
    // body code into an HTML file. A failure is told to the user, and then
    // nothing has changed.
    bool ImportBodyTag(const wxString& path);
    bool ExportBodyTag(const wxString& path);
    // Gives a palette file's palette to the three colour pages.
    bool LoadPaletteFile(const wxString& path);

    // The tag as last put into the body code box, byte for byte.
    const std::string& GetBodyCode() const { return m_sBodyCode; }

    // The stored settings, by group: window position and options, scheme,
    // palette (SettingsCommands.cpp).
    bool SaveSettings(SettingsGroups groups);
    void LoadSettings(SettingsGroups groups);
    // The palette of the colour page under the selected tab; empty on the
    // background and margins tabs.
    CTextBuffer GetCurrentPaletteText() const;

    wxNotebook* GetTabs() const { return m_wndTabs; }
    wxTextCtrl* GetBodyCodeBox() const { return m_wndBodyCode; }
    wxWindow* GetPreview() const { return m_wndPreview; }
    wxWindow* GetContrastLine() const { return m_wndContrast; }
    CPageColour* GetColourPage(int tab) const;

    // Remembers the context-help id that "&Explications?" will show and
    // pops up the context menu over window at the screen point; its command
    // comes here (HelpCommands.cpp).
    void ShowContextMenu(uint32_t helpId, wxWindow* window, const wxPoint& screenPos);
    uint32_t GetRememberedHelpId() const { return m_nHelpId; }

private:
    void OnInitDialog();
    void BuildMenu();
    void FitTabsToPages(const wxSize& pageSize);
    void CreatePreviewFonts();
    void RenderPreview();
    // The tag of the scheme under the options; with the style option, its
    // style attribute keeps what existingStyle holds that is not ours.
    std::string BuildTag(std::string_view existingStyle = {}) const;
    // False, after telling the user, on the background and margins tabs.
    bool CheckColourTabSelected();

    void OnPaintPreview(wxPaintEvent& event);
    void OnTabChanged(wxBookCtrlEvent& event);
    // "&Copier le code": the whole tag onto the clipboard.
    void CopyCode();
    void BindMenuCommands();
    void OnCopyCss();
    void UpdateContrastLine();
    void OnCharHook(wxKeyEvent& event);
    void OnClose(wxCloseEvent& event);

    // Menu commands, each in the file of its subsystem.
    void OnImportHtml();        // HtmlCommands.cpp
    void OnExportHtml();        // HtmlCommands.cpp
    void OnLoadDefaultScheme(); // SettingsCommands.cpp
    void OnSaveDefaultScheme();
    void OnLoadPaletteFile();
    void OnSavePaletteFile();
    void OnLoadDefaultPalette();
    void OnSaveDefaultPalette();
    void OnHelpFinder(); // HelpCommands.cpp
    void OnHelpTips();
    void OnAbout();
    void OnExplain();
    void InitContextHelp();
    void OnHelpInfo(wxHelpEvent& event);

    wxPanel* m_panel = nullptr;
    wxNotebook* m_wndTabs = nullptr;
    wxTextCtrl* m_wndBodyCode = nullptr;
    wxWindow* m_wndPreview = nullptr;
    wxWindow* m_wndContrast = nullptr;
    wxBitmap m_bmpPreview;   // the off-screen preview image, made at the first paint
    bool m_bHoldCode = true; // the code box waits: until the end of OnInitDialog, and while the pages refresh
    CPageColour* m_pageBgcolor;
    CPageColour* m_pageText;
    CPageColour* m_pageLinks;
    CPageBackground* m_pageBackground;
    CPageMargins* m_pageMargins;
    std::optional<PreviewLayout> m_previewLayout; // made at the first rendering
    std::vector<wxString> m_previewTop;           // the wrapped preview texts
    std::vector<wxString> m_previewBottom;
    wxFont m_fontPreview;
    wxFont m_fontLink;
    Scheme m_scheme;
    std::string m_sBodyCode;
    std::unique_ptr<wxMenu> m_menuContext; // "&Explications?"
    uint32_t m_nHelpId = 0;                // what "&Explications?" shows
};
