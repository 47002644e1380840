#include "about/AboutDlg.h"

#include "controls/DialogBuilder.h"
#include "help/ContextHelp.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "res/Templates.h"
#include "ui/Control.h"
#include "ui/TextConv.h"

#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

namespace {

// Where the "?" button sits, in dialog units: left of "OK", on its row.
constexpr ControlTemplate kHelpButton = {-1, ControlKind::Button, "?", 11, 145, 20, 14, kTabStop};

} // namespace

CAboutDlg::CAboutDlg(wxWindow* owner)
    : wxDialog(owner, wxID_ANY, wxString::FromUTF8(FindDialogTemplate(IDD_ABOUTBOX)->caption))
{
    OnInitDialog();
}

void CAboutDlg::OnInitDialog()
{
    SetFont(GetDialogFont());
    const DialogTemplate& dialog = *FindDialogTemplate(IDD_ABOUTBOX);
    BuildDialogControls(this, dialog);
    m_wndHelpButton = new CHelpModeButton(this, TemplateRectToPixels(this, kHelpButton));
    SetClientSize(TemplateSizeToPixels(this, dialog));

    Control<wxStaticText>(this, IDC_ABOUT_TITLE)->SetLabelText(LoadWxString(IDS_CAPTION));
    auto* paragraph = Control<wxStaticText>(this, IDC_ABOUT_PARAGRAPH);
    paragraph->SetLabel(LoadWxString(IDS_ABOUT_PARAGRAPH));
    paragraph->Wrap(paragraph->GetSize().x);
    Control<wxTextCtrl>(this, IDC_EMAIL)->ChangeValue(LoadWxString(IDS_ABOUT_EMAIL));
    Control<wxTextCtrl>(this, IDC_HOMEPAGE)->ChangeValue(LoadWxString(IDS_ABOUT_HOMEPAGE));

    InstallContextHelp(this, IDD_ABOUTBOX);

    Bind(wxEVT_BUTTON, &CAboutDlg::OnOK, this, IDC_ABOUT_OK);
    Bind(wxEVT_BUTTON, &CAboutDlg::OnGoMail, this, IDC_GO_MAIL);
    Bind(wxEVT_BUTTON, &CAboutDlg::OnGoHome, this, IDC_GO_HOME);
    Bind(wxEVT_HELP, &CAboutDlg::OnHelpInfo, this);
    Bind(wxEVT_CHAR_HOOK, &CAboutDlg::OnCharHook, this);
    FindWindow(IDC_ABOUT_OK)->SetFocus();
    CentreOnParent();
}

void CAboutDlg::OnOK(wxCommandEvent&)
{
    EndDialog(wxID_OK);
}

UrlOpener& AboutUrlOpener()
{
    // Nothing is reported when the desktop has no handler.
    static UrlOpener opener = [](const wxString& url) { wxLaunchDefaultBrowser(url); };
    return opener;
}

void CAboutDlg::OnGoMail(wxCommandEvent&)
{
    AboutUrlOpener()("mailto:" + LoadWxString(IDS_ABOUT_EMAIL));
}

void CAboutDlg::OnGoHome(wxCommandEvent&)
{
    AboutUrlOpener()(LoadWxString(IDS_ABOUT_HOMEPAGE));
}

void CAboutDlg::OnHelpInfo(wxHelpEvent& event)
{
    ShowHelpPopup(this, event);
}

void CAboutDlg::OnCharHook(wxKeyEvent& event)
{
    if (!SendHelpKey(this, event))
        event.Skip();
}
