#pragma once

#include "pages/Page.h"

class CPageColour : public CPage
{
public:
    CPageColour(CBodyTagDlg* owner, int kind);

    bool CreatePage(wxWindow* parent) override;
    void UpdateFromScheme() override;

private:
    int m_nKind;
};
