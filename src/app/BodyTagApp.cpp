#include "app/BodyTagApp.h"

#include "app/BodyTagDlg.h"
#include "platform/ClipboardOwner.h"
#include "platform/ProcessEnd.h"
#include "platform/ThemeIcons.h"

#include <wx/clipbrd.h>
#include <wx/evtloop.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/translation.h>
#include <wx/uilocale.h>

namespace {

// Leaves a copied tag on the clipboard after we are gone (where a clipboard
// manager runs). Nothing to hand over unless we hold it.
void HandOverClipboard()
{
    if (OwnsClipboard() && wxTheClipboard->Open()) {
        wxTheClipboard->Flush();
        wxTheClipboard->Close();
    }
}

} // namespace

bool CBodyTagApp::OnInit()
{
    // wx's and GTK's own texts (stock buttons, the colour and file dialogs)
    // in the user's language, where a translation is installed. The main
    // window shows none of wx's texts: its catalog, a long read, is loaded
    // once the window is on the screen.
    wxUILocale::UseDefault();
    wxTranslations::Set(new wxTranslations);
    wxInitAllImageHandlers();
    UsePrerenderedCheckMarks();
    auto* dialog = new CBodyTagDlg;
    SetTopWindow(dialog);
    dialog->Show();
    dialog->Bind(wxEVT_CLOSE_WINDOW, &CBodyTagApp::OnMainWindowClose, this);
    CallAfter([] { wxTranslations::Get()->AddStdCatalog(); });
    return true;
}

int CBodyTagApp::OnExit()
{
    HandOverClipboard();
    return wxApp::OnExit();
}

void CBodyTagApp::OnMainWindowClose(wxCloseEvent& event)
{
    event.Skip(); // the window's own handler stores the settings and destroys it
    auto* window = static_cast<wxWindow*>(event.GetEventObject());
    // Queued calls run before the idle time deletes the window. Tearing down
    // the widgets, wx and the libraries takes longer than the save; the help
    // windows have nothing to keep, and a modal dialog still open (its own
    // event loop) takes the usual way.
    CallAfter([this, window] {
        if (!IsScheduledForDestruction(window) || wxEventLoopBase::GetActive() != GetMainLoop() ||
            !CanEndWithoutTeardown())
            return;
        HandOverClipboard();
        wxLog::FlushActive();
        EndProcessNow(0);
    });
}
