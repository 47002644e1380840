// The help commands, the context menu and the about box of the main window.
#include "app/BodyTagDlg.h"

#include "about/AboutDlg.h"
#include "help/ContextHelp.h"
#include "help/HelpService.h"
#include "res/ResourceIds.h"
#include "res/Templates.h"
#include "ui/MenuIds.h"

#include <wx/menu.h>

void CBodyTagDlg::OnHelpFinder()
{
    CallHelp(this, HelpCommand::Contents);
}

void CBodyTagDlg::OnHelpTips()
{
    CallHelp(this, HelpCommand::Topic, HIDT_TIPS);
}

void CBodyTagDlg::OnAbout()
{
    CAboutDlg about(this);
    about.ShowModal();
}

void CBodyTagDlg::OnExplain()
{
    CallHelp(this, HelpCommand::Popup, m_nHelpId);
}

void CBodyTagDlg::InitContextHelp()
{
    m_menuContext = std::make_unique<wxMenu>();
    for (const MenuItemTemplate& item : FindMenuTemplate(IDR_MENU_CONTEXT).front().items)
        m_menuContext->Append(ToWxMenuId(item.id), wxString::FromUTF8(item.label));
    m_menuContext->Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnExplain(); }, ToWxMenuId(ID_CONTEXT_EXPLAIN));
    InstallContextHelp(this, IDD_BODYTAG_DIALOG);
    SetContextMenuHandler(this, [this](uint32_t helpId, wxWindow* window, const wxPoint& screenPos) {
        ShowContextMenu(helpId, window, screenPos);
    });
    Bind(wxEVT_HELP, &CBodyTagDlg::OnHelpInfo, this);
}

void CBodyTagDlg::ShowContextMenu(uint32_t helpId, wxWindow* window, const wxPoint& screenPos)
{
    m_nHelpId = helpId;
    // Shown by the window asked, which may be a modal box while this window
    // is disabled; the menu hands its command straight to this window.
    window->PopupMenu(m_menuContext.get(), window->ScreenToClient(screenPos));
}

void CBodyTagDlg::OnHelpInfo(wxHelpEvent& event)
{
    ShowHelpPopup(this, event);
}
