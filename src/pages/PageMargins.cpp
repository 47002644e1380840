#include "pages/PageMargins.h"

#include "platform/DialogBuilder.h"
#include "res/ResourceIds.h"

CPageMargins::CPageMargins(CBodyTagDlg* owner) : CPage(owner) {}

bool CPageMargins::CreatePage(wxWindow* parent)
{
    if (!Create(parent, wxID_ANY))
        return false;
    SetFont(GetDialogFont());
    BuildDialogControls(this, *FindDialogTemplate(IDD_PAGE_MARGINS));
    UpdateFromScheme();
    return true;
}

void CPageMargins::UpdateFromScheme() {}
