#include "app/BodyTagApp.h"

#include "app/BodyTagDlg.h"
#include "platform/ClipboardOwner.h"
#include "platform/ThemeIcons.h"

#include <wx/clipbrd.h>
#include <wx/image.h>
#include <wx/translation.h>
#include <wx/uilocale.h>

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
    CallAfter([] { wxTranslations::Get()->AddStdCatalog(); });
    return true;
}

int CBodyTagApp::OnExit()
{
    // Leave a copied tag on the clipboard after we are gone (where a
    // clipboard manager runs). Nothing to hand over unless we hold it.
    if (OwnsClipboard() && wxTheClipboard->Open()) {
        wxTheClipboard->Flush();
        wxTheClipboard->Close();
    }
    return wxApp::OnExit();
}
