// The page under the "margins" tab: the side and top margins, each default
// (-1) or 0..100 pixels, with a sample text inset in a frame by the two.
#pragma once

#include "pages/Page.h"

#include <optional>

class wxCheckBox;
class wxStaticText;
class wxTextCtrl;
class CSpinButton;

class CPageMargins : public CPage
{
public:
    explicit CPageMargins(CPageOwner* owner);

    // Shows topmargin and sidemargin, then stores them back as the controls
    // hold them: a margin outside 0..100 comes back as its nearest bound.
    void UpdateFromScheme() override;

protected:
    void CreateControls() override;

private:
    void OnDefaultMargins();
    void OnMarginChanged();

    wxWindow* m_wndFrame = nullptr;
    CSpinButton* m_wndTopSpin = nullptr;
    CSpinButton* m_wndSideSpin = nullptr;
    wxStaticText* m_wndTopLabel = nullptr;
    wxStaticText* m_wndSample = nullptr;
    wxStaticText* m_wndSideLabel = nullptr;
    wxTextCtrl* m_wndTopValue = nullptr;
    wxTextCtrl* m_wndSideValue = nullptr;
    wxCheckBox* m_wndTopDefault = nullptr;
    wxCheckBox* m_wndSideDefault = nullptr;
    bool m_bUpdating = false; // set while UpdateFromScheme fills the controls
    // The up-down positions set while the page had no controls.
    std::optional<int> m_nTopPos;
    std::optional<int> m_nSidePos;
};
