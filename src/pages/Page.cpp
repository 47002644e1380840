#include "pages/Page.h"

#include "controls/DialogBuilder.h"

bool CPage::CreatePage(wxWindow* parent)
{
    return Create(parent, wxID_ANY);
}

void CPage::BuildControls()
{
    if (m_bHasControls)
        return;
    m_bHasControls = true;
    // Only the controls show the font (giving it to a window costs GTK a style
    // of its own): a page without them waits.
    SetFont(GetDialogFont());
    CreateControls();
}
