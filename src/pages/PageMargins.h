#pragma once

#include "pages/Page.h"

class CPageMargins : public CPage
{
public:
    explicit CPageMargins(CBodyTagDlg* owner);

    bool CreatePage(wxWindow* parent) override;
    void UpdateFromScheme() override;

private:
};
