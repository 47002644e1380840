// The page under the "background" tab: whether a background image is used,
// whether it is fixed, and its path, written straight into the scheme.
#pragma once

#include "pages/Page.h"

class wxButton;
class wxCheckBox;
class wxStaticText;
class wxTextCtrl;

class CPageBackground : public CPage
{
public:
    explicit CPageBackground(CPageOwner* owner);

    // Shows useback, watermark and background; setting the path box stores
    // the three fields back through its change notice.
    void UpdateFromScheme() override;

protected:
    void CreateControls() override;

private:
    void EnableImageControls(bool on);

    void OnUseImage();
    void OnImageChanged();
    void OnBrowse();

    wxCheckBox* m_wndUseImage = nullptr;
    wxButton* m_wndBrowse = nullptr;
    wxCheckBox* m_wndFixedImage = nullptr;
    wxTextCtrl* m_wndPath = nullptr;
    wxStaticText* m_wndPathLabel = nullptr;
};
