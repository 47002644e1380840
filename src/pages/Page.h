// What every page under the main window's tabs offers its owner. Pages are
// built as objects with the main window (so the colour pages' palettes can be
// loaded before any window exists) and created as windows later.
#pragma once

#include <wx/panel.h>

class CBodyTagDlg;

class CPage : public wxPanel
{
public:
    explicit CPage(CBodyTagDlg* owner) : m_pOwner(owner) {}

    // Creates the page's window and its controls from its template as a
    // child of parent (the tab control), then shows the stored scheme.
    virtual bool CreatePage(wxWindow* parent) = 0;

    // Shows the owner's scheme; may store it back and update the body code.
    virtual void UpdateFromScheme() = 0;

protected:
    CBodyTagDlg* m_pOwner;
};
