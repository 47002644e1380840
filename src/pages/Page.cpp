#include "pages/Page.h"

#include "controls/DialogBuilder.h"

bool CPage::CreatePage(wxWindow* parent)
{
    if (!Create(parent, wxID_ANY))
        return false;
    SetFont(GetDialogFont());
    return true;
}

void CPage::BuildControls()
{
    if (m_bHasControls)
        return;
    m_bHasControls = true;
    CreateControls();
}
