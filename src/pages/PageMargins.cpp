#include "pages/PageMargins.h"

#include "controls/DialogBuilder.h"
#include "controls/SpinButton.h"
#include "help/ContextHelp.h"
#include "res/ResourceIds.h"
#include "ui/Control.h"
#include "ui/TextConv.h"

#include <wx/checkbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kMarginMin = 0;
constexpr int kMarginMax = 100;
// How the sample shows a margin left to the browser.
constexpr int kDefaultSampleMargin = 10;
// The position an up-down control takes for a stored margin (not -1): it
// holds 16-bit positions and clamps them to its range.
int MarginPosition(int32_t margin)
{
    return std::clamp<int>(int16_t(margin & 0xFFFF), kMarginMin, kMarginMax);
}

} // namespace

CPageMargins::CPageMargins(CPageOwner* owner) : CPage(owner)
{}

void CPageMargins::CreateControls()
{
    BuildDialogControls(this, *FindDialogTemplate(IDD_PAGE_MARGINS));
    m_wndFrame = FindWindow(IDC_MARGIN_FRAME);
    m_wndTopSpin = Control<CSpinButton>(this, IDC_TOP_SPIN);
    m_wndSideSpin = Control<CSpinButton>(this, IDC_SIDE_SPIN);
    m_wndTopLabel = Control<wxStaticText>(this, IDC_TOP_LABEL);
    m_wndSample = Control<wxStaticText>(this, IDC_MARGIN_SAMPLE);
    m_wndSideLabel = Control<wxStaticText>(this, IDC_SIDE_LABEL);
    m_wndTopValue = Control<wxTextCtrl>(this, IDC_TOP_VALUE);
    m_wndSideValue = Control<wxTextCtrl>(this, IDC_SIDE_VALUE);
    m_wndTopDefault = Control<wxCheckBox>(this, IDC_TOP_DEFAULT);
    m_wndSideDefault = Control<wxCheckBox>(this, IDC_SIDE_DEFAULT);

    // The frame has a window of its own that would cover a sibling label:
    // the sample lives inside it, clipped by it, on the page's colour as a
    // sunken static shows it.
    m_wndSample->Reparent(m_wndFrame);
    m_wndFrame->SetBackgroundColour(GetBackgroundColour());

    Control<wxStaticText>(this, IDC_MARGINS_INFO)->SetLabelText(LoadWxString(IDS_INFO_MARGINS));
    m_wndSample->SetLabelText(LoadWxString(IDS_MARGINS_SAMPLE));
    m_wndTopSpin->SetRange(kMarginMin, kMarginMax);
    m_wndSideSpin->SetRange(kMarginMin, kMarginMax);
    if (m_nTopPos)
        m_wndTopSpin->SetPos(*m_nTopPos);
    if (m_nSidePos)
        m_wndSideSpin->SetPos(*m_nSidePos);

    m_wndTopDefault->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnDefaultMargins(); });
    m_wndSideDefault->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnDefaultMargins(); });
    m_wndTopValue->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { OnMarginChanged(); });
    m_wndSideValue->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { OnMarginChanged(); });

    UpdateFromScheme();
    InstallContextHelp(this, IDD_PAGE_MARGINS);
}

void CPageMargins::UpdateFromScheme()
{
    Scheme& scheme = m_pOwner->GetScheme();
    if (!HasControls()) {
        // -1 leaves a position where it was.
        auto store = [](int32_t& margin, std::optional<int>& position) {
            if (margin != -1)
                margin = *(position = MarginPosition(margin));
        };
        store(scheme.topmargin, m_nTopPos);
        store(scheme.sidemargin, m_nSidePos);
        m_pOwner->UpdateBodyCode();
        return;
    }
    {
        const CScopedFlag updating(m_bUpdating);
        // -1 leaves a position where it was.
        if (scheme.topmargin != -1)
            m_wndTopSpin->SetPos(MarginPosition(scheme.topmargin));
        if (scheme.sidemargin != -1)
            m_wndSideSpin->SetPos(MarginPosition(scheme.sidemargin));
        m_wndTopDefault->SetValue(scheme.topmargin == -1);
        m_wndSideDefault->SetValue(scheme.sidemargin == -1);
    }
    OnDefaultMargins();
}

void CPageMargins::OnDefaultMargins()
{
    if (m_bUpdating)
        return;
    const bool topDefault = m_wndTopDefault->GetValue();
    m_wndTopLabel->Enable(!topDefault);
    m_wndTopValue->Enable(!topDefault);
    m_wndTopSpin->Enable(!topDefault);
    const bool sideDefault = m_wndSideDefault->GetValue();
    m_wndSideLabel->Enable(!sideDefault);
    m_wndSideValue->Enable(!sideDefault);
    m_wndSideSpin->Enable(!sideDefault);
    OnMarginChanged();
}

void CPageMargins::OnMarginChanged()
{
    if (m_bUpdating)
        return;
    const bool topDefault = m_wndTopDefault->GetValue();
    const bool sideDefault = m_wndSideDefault->GetValue();
    // A text that is not a whole number in range counts as the top of the
    // range, in the sample and in the scheme alike.
    const int top = topDefault ? kDefaultSampleMargin : m_wndTopSpin->GetUsedPos();
    const int side = sideDefault ? kDefaultSampleMargin : m_wndSideSpin->GetUsedPos();

    // The top margin is taken off the bottom too. A rectangle deflated past
    // its size is left empty, and GTK would keep drawing an empty label at
    // its last size.
    const wxRect rect = wxRect(m_wndFrame->GetClientSize()).Deflate(side, top);
    m_wndSample->SetSize(rect);
    m_wndSample->Show(!rect.IsEmpty());
    m_wndSample->Refresh();

    Scheme& scheme = m_pOwner->GetScheme();
    scheme.topmargin = topDefault ? -1 : top;
    scheme.sidemargin = sideDefault ? -1 : side;
    m_pOwner->UpdateBodyCode();
}
