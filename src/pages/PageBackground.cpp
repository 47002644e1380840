#include "pages/PageBackground.h"

#include "platform/DialogBuilder.h"
#include "res/ResourceIds.h"

CPageBackground::CPageBackground(CBodyTagDlg* owner) : CPage(owner) {}

bool CPageBackground::CreatePage(wxWindow* parent)
{
    if (!Create(parent, wxID_ANY))
        return false;
    SetFont(GetDialogFont());
    BuildDialogControls(this, *FindDialogTemplate(IDD_PAGE_BACKGROUND));
    UpdateFromScheme();
    return true;
}

void CPageBackground::UpdateFromScheme() {}
