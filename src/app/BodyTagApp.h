// The application object: it opens the main window, and the program ends
// when that window closes.
#pragma once

#include <wx/app.h>
#include <wx/event.h>

class CBodyTagApp : public wxApp
{
public:
    bool OnInit() override;
    int OnExit() override;
    // The main window has stored its settings and is going: the process ends
    // at once, unless a modal dialog is open or GTK has writes pending.
    void OnMainWindowClose(wxCloseEvent& event);
    // The interface is French only. wx would build its whole language table
    // at the first drawing just to answer this.
    wxLayoutDirection GetLayoutDirection() const override { return wxLayout_LeftToRight; }
};
