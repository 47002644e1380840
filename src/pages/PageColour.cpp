#include "pages/PageColour.h"

#include "platform/DialogBuilder.h"
#include "res/ResourceIds.h"

CPageColour::CPageColour(CBodyTagDlg* owner, int kind) : CPage(owner), m_nKind(kind) {}

bool CPageColour::CreatePage(wxWindow* parent)
{
    if (!Create(parent, wxID_ANY))
        return false;
    SetFont(GetDialogFont());
    BuildDialogControls(this, *FindDialogTemplate(IDD_PAGE_COLOUR));
    UpdateFromScheme();
    return true;
}

void CPageColour::UpdateFromScheme() {}
