#include "app/BodyTagApp.h"

#include "app/BodyTagDlg.h"

#include <wx/clipbrd.h>
#include <wx/image.h>

bool CBodyTagApp::OnInit()
{
    wxInitAllImageHandlers();
    auto* dialog = new CBodyTagDlg;
    SetTopWindow(dialog);
    dialog->Show();
    return true;
}

int CBodyTagApp::OnExit()
{
    // Leave a copied tag on the clipboard after we are gone (where a
    // clipboard manager runs).
    if (wxTheClipboard->Open()) {
        wxTheClipboard->Flush();
        wxTheClipboard->Close();
    }
    return wxApp::OnExit();
}
