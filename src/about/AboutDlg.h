// The about box: the product name and version, a paragraph about the
// program, and the authors' e-mail address and home page, each with a "Go!"
// button that hands it to the desktop's mail program or web browser.
#pragma once

#include <wx/dialog.h>

#include <functional>

class CHelpModeButton;

// What the "Go!" buttons hand their address to ("mailto:..." or the home
// page): the desktop's handler, unless replaced (the tests record instead).
using UrlOpener = std::function<void(const wxString& url)>;
UrlOpener& AboutUrlOpener();

class CAboutDlg : public wxDialog
{
public:
    explicit CAboutDlg(wxWindow* owner);

    // The "?" button that stands in for the caption's help button.
    CHelpModeButton* GetHelpButton() const { return m_wndHelpButton; }

private:
    void OnInitDialog();
    void OnOK(wxCommandEvent& event);
    void OnGoMail(wxCommandEvent& event);
    void OnGoHome(wxCommandEvent& event);
    void OnHelpInfo(wxHelpEvent& event);
    void OnCharHook(wxKeyEvent& event);

    CHelpModeButton* m_wndHelpButton = nullptr;
};
