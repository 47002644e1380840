// What every page under the main window's tabs offers its owner. Pages are
// built as objects with the main window (so the colour pages' palettes can be
// loaded before any window exists), get an empty window when the tabs are
// made, and their controls when they are first displayed.
#pragma once

#include "pages/PageOwner.h"

#include <wx/panel.h>

class CPage : public wxPanel
{
public:
    explicit CPage(CPageOwner* owner) : m_pOwner(owner) {}

    // Creates the page's window, without controls, as a child of parent
    // (the tab control).
    bool CreatePage(wxWindow* parent);
    // Once: makes the controls from the page's template, showing the stored
    // scheme as the page would if it had had them from the start.
    void BuildControls();
    bool HasControls() const { return m_bHasControls; }

    // Shows the owner's scheme; may store it back and update the body code.
    // A page without controls changes the scheme (and its own state) as it
    // would with them.
    virtual void UpdateFromScheme() = 0;

protected:
    virtual void CreateControls() = 0;

    CPageOwner* m_pOwner;

private:
    bool m_bHasControls = false;
};
