#include "app/BodyTagDlg.h"

#include "controls/DialogBuilder.h"
#include "help/ContextHelp.h"
#include "help/HelpService.h"
#include "model/BodyTag.h"
#include "model/Contrast.h"
#include "model/PreviewLayout.h"
#include "pages/PageBackground.h"
#include "pages/PageColour.h"
#include "pages/PageMargins.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "res/Templates.h"
#include "ui/AppIcon.h"
#include "ui/ColourConv.h"
#include "ui/Control.h"
#include "ui/MenuIds.h"
#include "ui/TextConv.h"
#include "ui/WordWrap.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

#include <functional>
#include <utility>

namespace {

constexpr int kTabLabels[] = {IDS_TAB_BGCOLOR, IDS_TAB_TEXT, IDS_TAB_LINKS, IDS_TAB_BACKGROUND, IDS_TAB_MARGINS};

// Cut, not rounded, to one decimal with a French comma: 4.48 shows as 4,4
// and never as the 4,5 it does not reach.
wxString FormatRatio(double ratio)
{
    const int tenths = int(ratio * 10);
    return tenths % 10 ? wxString::Format("%d,%d:1", tenths / 10, tenths % 10) : wxString::Format("%d:1", tenths / 10);
}

// "Contraste (WCAG) : texte 21:1 AAA · lien ..."; a ratio under 4.5:1 is
// marked and the line ends with a warning. Sets failed accordingly.
wxString ContrastLine(const Scheme& scheme, bool& failed)
{
    constexpr int kNames[] = {IDS_CONTRAST_TEXT, IDS_CONTRAST_LINK, IDS_CONTRAST_VLINK, IDS_CONTRAST_ALINK};
    const auto ratios = SchemeContrasts(scheme);
    wxString line = LoadWxString(IDS_CONTRAST_TITLE);
    failed = false;
    for (size_t i = 0; i < ratios.size(); ++i) {
        line += i == 0 ? wxString(" ") : wxString::FromUTF8(" \u00B7 ");
        line += LoadWxString(kNames[i]) + " " + FormatRatio(ratios[i]) + " ";
        switch (RateContrast(ratios[i])) {
        case ContrastLevel::AAA:
            line += "AAA";
            break;
        case ContrastLevel::AA:
            line += "AA";
            break;
        case ContrastLevel::Fail:
            line += LoadWxString(IDS_CONTRAST_LOW);
            failed = true;
            break;
        }
    }
    if (failed)
        line += "   " + LoadWxString(IDS_CONTRAST_WARNING);
    return line;
}

} // namespace

CBodyTagDlg::CBodyTagDlg()
    : wxFrame(nullptr, wxID_ANY, LoadWxString(IDS_CAPTION), wxDefaultPosition, wxDefaultSize,
              wxDEFAULT_FRAME_STYLE & ~(wxRESIZE_BORDER | wxMAXIMIZE_BOX)),
      m_pageBgcolor(new CPageColour(this, IDS_INFO_BGCOLOR)), m_pageText(new CPageColour(this, IDS_INFO_TEXT)),
      m_pageLinks(new CPageColour(this, IDS_INFO_LINKS)), m_pageBackground(new CPageBackground(this)),
      m_pageMargins(new CPageMargins(this))
{
    OnInitDialog();
}

CBodyTagDlg::~CBodyTagDlg()
{
    CallHelp(this, HelpCommand::Quit);
}

void CBodyTagDlg::OnInitDialog()
{
    BuildMenu();

    m_panel = new wxPanel(this, wxID_ANY);
    m_panel->SetFont(GetDialogFont());
    const DialogTemplate& dialog = *FindDialogTemplate(IDD_BODYTAG_DIALOG);
    BuildDialogControls(m_panel, dialog, [this](wxWindow* parent, const ControlTemplate& c, const wxRect& r) {
        wxWindow* made = nullptr;
        if (c.id == IDC_PREVIEW) {
            m_wndPreview = new wxWindow(parent, c.id, r.GetPosition(), r.GetSize(), wxBORDER_NONE);
            m_wndPreview->SetBackgroundStyle(wxBG_STYLE_PAINT);
            m_wndPreview->Bind(wxEVT_PAINT, &CBodyTagDlg::OnPaintPreview, this);
            made = m_wndPreview;
        }
        return made;
    });
    m_wndTabs = Control<wxNotebook>(m_panel, IDC_TABS);
    m_wndBodyCode = Control<wxTextCtrl>(m_panel, IDC_BODY_CODE);
    m_wndContrast = Control<wxWindow>(m_panel, IDC_CONTRAST);
    m_panel->FindWindow(IDC_PAGE_FRAME)->Hide();
    SetClientSize(TemplateSizeToPixels(m_panel, dialog));

    // The stored settings come before the page windows: the pages show the
    // stored scheme and palettes from their first paint on.
    LoadSettings(SettingsGroups::All);
    CreatePreviewFonts();

    // Only the first page gets its controls now; the others at their first
    // display (OnTabChanged), and until then they show the scheme without them.
    CPage* pages[] = {m_pageBgcolor, m_pageText, m_pageLinks, m_pageBackground, m_pageMargins};
    for (size_t i = 0; i < std::size(pages); ++i) {
        pages[i]->CreatePage(m_wndTabs);
        if (i == 0)
            pages[i]->BuildControls();
        else
            pages[i]->UpdateFromScheme();
        m_wndTabs->AddPage(pages[i], LoadWxString(kTabLabels[i]), i == 0);
    }
    FitTabsToPages(TemplateRectToPixels(m_panel, *FindControlTemplate(dialog, IDC_PAGE_FRAME)).GetSize());
    // The first page stores the scheme back more than once as it is built:
    // the code box shows only where it ends.
    m_bHoldCode = false;
    UpdateBodyCode();

    m_wndTabs->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CBodyTagDlg::OnTabChanged, this);
    m_panel->FindWindow(IDC_COPY_CODE)->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { CopyCode(); });
    BindMenuCommands();
    Bind(wxEVT_CHAR_HOOK, &CBodyTagDlg::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &CBodyTagDlg::OnClose, this);
    InitContextHelp();
}

void CBodyTagDlg::FitTabsToPages(const wxSize& pageSize)
{
    // GTK's tab strip is taller than the design's, so the tab control grows
    // until every page has the height of its template, and the window with it;
    // the preview grows and the code box and its button move down as much.
    const int grow = m_wndTabs->CalcSizeFromPage(pageSize).y - m_wndTabs->GetSize().y;
    if (grow <= 0)
        return;
    m_wndTabs->SetSize(m_wndTabs->GetSize() + wxSize(0, grow));
    m_wndPreview->SetSize(m_wndPreview->GetSize() + wxSize(0, grow));
    for (int id : {IDC_BODY_CODE_LABEL, IDC_BODY_CODE, IDC_COPY_CODE, IDC_CONTRAST}) {
        wxWindow* control = m_panel->FindWindow(id);
        control->Move(control->GetPosition() + wxPoint(0, grow));
    }
    SetClientSize(GetClientSize() + wxSize(0, grow));
}

void CBodyTagDlg::BuildMenu()
{
    auto* bar = new wxMenuBar;
    for (const MenuTemplate& menu : FindMenuTemplate(IDR_MENU_MAIN)) {
        auto* popup = new wxMenu;
        for (const MenuItemTemplate& item : menu.items) {
            if (item.id == 0) {
                popup->AppendSeparator();
                continue;
            }
            const int id = ToWxMenuId(item.id);
            wxString label = wxString::FromUTF8(item.label);
            if (item.shortcut)
                label << '\t' << item.shortcut;
            popup->Append(id, label, wxString(), item.checkable ? wxITEM_CHECK : wxITEM_NORMAL);
            if (item.checkable)
                popup->Check(id, item.checked);
        }
        bar->Append(popup, wxString::FromUTF8(menu.title));
    }
    SetMenuBar(bar);
}

void CBodyTagDlg::CreatePreviewFonts()
{
    // Pango finds the closest serif the machine has (Liberation Serif shares
    // Times New Roman's metrics).
    m_fontPreview = wxFont(wxFontInfo(12).FaceName("Times New Roman").Family(wxFONTFAMILY_ROMAN));
    m_fontLink = m_fontPreview.Underlined();
}

bool CBodyTagDlg::IsOptionChecked(int menuId) const
{
    return GetMenuBar()->IsChecked(ToWxMenuId(menuId));
}

CPageColour* CBodyTagDlg::GetColourPage(int tab) const
{
    switch (tab) {
    case 0:
        return m_pageBgcolor;
    case 1:
        return m_pageText;
    case 2:
        return m_pageLinks;
    default:
        return nullptr;
    }
}

void CBodyTagDlg::UpdateBodyCode()
{
    if (m_bHoldCode)
        return;
    if (m_bmpPreview.IsOk()) {
        RenderPreview();
        m_wndPreview->Refresh(false);
    }
    std::string tag = BuildTag();
    if (tag != m_sBodyCode) {
        m_sBodyCode = std::move(tag);
        m_wndBodyCode->SetValue(BytesToDisplay(m_sBodyCode));
    }
    UpdateContrastLine();
}

void CBodyTagDlg::UpdateContrastLine()
{
    bool failed = false;
    const wxString line = ContrastLine(m_scheme, failed);
    if (line == m_wndContrast->GetLabel())
        return;
    m_wndContrast->SetForegroundColour(failed ? wxColour(0xB0, 0x00, 0x00) : wxNullColour);
    m_wndContrast->SetLabel(line);
}

void CBodyTagDlg::RefreshPages()
{
    // Each page may store the scheme back and ask for the code: it is made
    // once, after them all.
    const bool held = std::exchange(m_bHoldCode, true);
    CPage* pages[] = {m_pageBgcolor, m_pageText, m_pageLinks, m_pageMargins, m_pageBackground};
    for (CPage* page : pages)
        page->UpdateFromScheme();
    m_bHoldCode = held;
    UpdateBodyCode();
}

std::string CBodyTagDlg::BuildTag(std::string_view existingStyle) const
{
    return BuildBodyTag(m_scheme, IsOptionChecked(ID_OPTION_TAGS_UPPER), IsOptionChecked(ID_OPTION_HEX_UPPER),
                        IsOptionChecked(ID_OPTION_CSS_STYLE), existingStyle);
}

void CBodyTagDlg::RenderPreview()
{
    wxMemoryDC dc(m_bmpPreview);
    const wxSize size = m_bmpPreview.GetSize();
    const PreviewColours colours =
        ResolvePreviewColours(m_scheme, ColourFromWx(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));

    dc.SetBackground(wxBrush(ColourToWx(colours.background)));
    dc.Clear();
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);

    // The texts, the fonts and the size never change: wrap and lay out once.
    if (!m_previewLayout) {
        const int innerWidth = size.x - 10;
        dc.SetFont(m_fontPreview);
        m_previewTop = WrapLines(dc, LoadWxString(IDS_PREVIEW_TOP), innerWidth);
        m_previewBottom = WrapLines(dc, LoadWxString(IDS_PREVIEW_BOTTOM), innerWidth);
        const int topHeight = MeasureLines(dc, m_previewTop).y;
        const int bottomHeight = MeasureLines(dc, m_previewBottom).y;
        dc.SetFont(m_fontLink);
        const int lineHeight = dc.GetTextExtent(LoadWxString(IDS_PREVIEW_VLINK)).y;
        m_previewLayout = LayoutPreview({0, 0, size.x, size.y}, topHeight, bottomHeight, lineHeight);
    }
    const PreviewLayout& layout = *m_previewLayout;
    auto rect = [](const PreviewRect& r) { return wxRect(r.left, r.top, r.Width(), r.Height()); };

    dc.SetFont(m_fontPreview);
    dc.SetTextForeground(ColourToWx(colours.text));
    DrawLines(dc, m_previewTop, rect(layout.topText));
    DrawLines(dc, m_previewBottom, rect(layout.bottomText));

    dc.SetFont(m_fontLink);
    dc.SetTextForeground(ColourToWx(colours.vlink));
    DrawCentredLine(dc, LoadWxString(IDS_PREVIEW_VLINK), rect(layout.vlink));
    dc.SetTextForeground(ColourToWx(colours.link));
    DrawCentredLine(dc, LoadWxString(IDS_PREVIEW_LINK), rect(layout.link));
    dc.SetTextForeground(ColourToWx(colours.alink));
    DrawCentredLine(dc, LoadWxString(IDS_PREVIEW_ALINK), rect(layout.alink));
}

void CBodyTagDlg::OnPaintPreview(wxPaintEvent&)
{
    wxPaintDC dc(m_wndPreview);
    if (!m_bmpPreview.IsOk()) {
        const wxSize size = m_wndPreview->GetClientSize();
        m_bmpPreview.Create(size.x, size.y, dc);
        RenderPreview();
        // Decoding the seven sizes of the window's icon waits until the
        // window is drawn: nothing in it shows them.
        CallAfter([this] { SetIcons(GetApplicationIcons()); });
    }
    dc.DrawBitmap(m_bmpPreview, 0, 0);
}

void CBodyTagDlg::OnTabChanged(wxBookCtrlEvent& event)
{
    event.Skip();
    auto* page = static_cast<CPage*>(m_wndTabs->GetCurrentPage());
    if (!page)
        return;
    page->BuildControls();
    if (wxWindow::FindFocus() == m_wndTabs)
        return;
    for (wxWindow* child : page->GetChildren()) {
        if (child->IsShown() && child->IsEnabled() && child->AcceptsFocusFromKeyboard()) {
            child->SetFocus();
            break;
        }
    }
}

void CBodyTagDlg::CopyCode()
{
    m_wndBodyCode->SelectAll();
    m_wndBodyCode->Copy();
}

void CBodyTagDlg::OnCopyCss()
{
    const std::string css = BuildBodyCss(m_scheme, IsOptionChecked(ID_OPTION_HEX_UPPER));
    if (!wxTheClipboard->Open())
        return;
    wxTheClipboard->SetData(new wxTextDataObject(BytesToDisplay(css)));
    wxTheClipboard->Close();
}

void CBodyTagDlg::BindMenuCommands()
{
    // The menu has already toggled the check mark of the options. The case
    // and base options change what the pages show, and the tag with them.
    const auto refresh = [this] { RefreshPages(); };
    const std::pair<int, std::function<void()>> commands[] = {
        {ID_FILE_IMPORT, [this] { OnImportHtml(); }},
        {ID_FILE_EXPORT, [this] { OnExportHtml(); }},
        {ID_FILE_LOAD_DEFAULT, [this] { OnLoadDefaultScheme(); }},
        {ID_FILE_SAVE_DEFAULT, [this] { OnSaveDefaultScheme(); }},
        {ID_FILE_COPY_CODE, [this] { CopyCode(); }},
        {ID_FILE_COPY_CSS, [this] { OnCopyCss(); }},
        {ID_FILE_QUIT, [this] { Close(); }},
        {ID_OPTION_TAGS_UPPER, refresh},
        {ID_OPTION_HEX_UPPER, refresh},
        {ID_OPTION_INPUT_HEX, refresh},
        {ID_OPTION_CSS_STYLE, [this] { UpdateBodyCode(); }},
        {ID_PALETTE_LOAD, [this] { OnLoadPaletteFile(); }},
        {ID_PALETTE_SAVE, [this] { OnSavePaletteFile(); }},
        {ID_PALETTE_LOAD_DEFAULT, [this] { OnLoadDefaultPalette(); }},
        {ID_PALETTE_SAVE_DEFAULT, [this] { OnSaveDefaultPalette(); }},
        {ID_HELP_FINDER, [this] { OnHelpFinder(); }},
        {ID_HELP_TIPS, [this] { OnHelpTips(); }},
        {ID_HELP_ABOUT, [this] { OnAbout(); }},
    };
    for (const auto& [id, command] : commands)
        Bind(
            wxEVT_MENU, [command](wxCommandEvent&) { command(); }, ToWxMenuId(id));
}

void CBodyTagDlg::OnCharHook(wxKeyEvent& event)
{
    // GTK raises no help request for F1: raise it for the focused control.
    if (SendHelpKey(this, event))
        return;
    // Enter and Escape never close the main window; Enter reaches a box
    // that takes it (the colour pages' hex box).
    const int key = event.GetKeyCode();
    const auto* text = dynamic_cast<const wxTextCtrl*>(wxWindow::FindFocus());
    const bool boxTakesEnter = text && text->HasFlag(wxTE_PROCESS_ENTER);
    if (((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && !boxTakesEnter) || key == WXK_ESCAPE)
        return;
    event.Skip();
}

void CBodyTagDlg::OnClose(wxCloseEvent&)
{
    // Only the position and the options are stored at close; the scheme and
    // the palettes only on their own commands.
    SaveSettings(SettingsGroups::Window);
    Destroy();
}
