#pragma once

#include "pages/Page.h"

class CPageBackground : public CPage
{
public:
    explicit CPageBackground(CBodyTagDlg* owner);

    bool CreatePage(wxWindow* parent) override;
    void UpdateFromScheme() override;

private:
};
