#include "pages/PageColour.h"

#include "controls/DialogBuilder.h"
#include "controls/PaletteGrid.h"
#include "controls/ScreenPickerDlg.h"
#include "controls/SpinButton.h"
#include "help/ContextHelp.h"
#include "model/ColourForms.h"
#include "res/ResourceIds.h"
#include "ui/ColourConv.h"
#include "ui/Control.h"
#include "ui/TextConv.h"

#include <wx/checkbox.h>
#include <wx/cmndata.h>
#include <wx/colordlg.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

namespace {

constexpr int kLinkButtonIds[] = {IDC_LINK, IDC_VLINK, IDC_ALINK};

// What "&Defaut" disables; the check box itself, the link buttons and the
// info text stay enabled.
constexpr int kColourControlIds[] = {
    IDC_COPY_HEX,  IDC_EDIT_COLOUR, IDC_PIPETTE,    IDC_RED,         IDC_GREEN,
    IDC_BLUE,      IDC_HEX,         IDC_RED_LABEL,  IDC_GREEN_LABEL, IDC_BLUE_LABEL,
    IDC_HEX_LABEL, IDC_RED_SPIN,    IDC_GREEN_SPIN, IDC_BLUE_SPIN,   IDC_GRID,
};

constexpr int kComponentMax = 255;

// The colour dialog's 16 custom colours: one set for every opening in this
// run, all white at first, never stored. Every slot holds a valid colour, or
// GTK shifts the ones that follow an empty slot.
wxColourData& SharedColourData()
{
    static wxColourData data = [] {
        wxColourData made;
        made.SetChooseFull(true);
        for (int i = 0; i < wxColourData::NUM_CUSTOM; ++i)
            made.SetCustomColour(i, *wxWHITE);
        return made;
    }();
    return data;
}

} // namespace

CPageColour::CPageColour(CPageOwner* owner, int kind) : CPage(owner), m_model(kind)
{}

void CPageColour::CreateControls()
{
    BuildDialogControls(this, *FindDialogTemplate(IDD_PAGE_COLOUR),
                        [this](wxWindow* page, const ControlTemplate& c, const wxRect& r) -> wxWindow* {
                            if (c.id != IDC_GRID)
                                return nullptr;
                            m_wndGrid = new CPaletteGrid(m_model.Grid());
                            m_wndGrid->Create(page, c.id, r.GetPosition(), r.GetSize());
                            return m_wndGrid;
                        });
    m_wndRedSpin = Control<CSpinButton>(this, IDC_RED_SPIN);
    m_wndGreenSpin = Control<CSpinButton>(this, IDC_GREEN_SPIN);
    m_wndBlueSpin = Control<CSpinButton>(this, IDC_BLUE_SPIN);
    m_wndHex = Control<wxTextCtrl>(this, IDC_HEX);
    m_wndDefault = Control<wxCheckBox>(this, IDC_DEFAULT);
    for (int i = 0; i < 3; ++i) {
        m_wndLinks[i] = Control<wxToggleButton>(this, kLinkButtonIds[i]);
        m_wndLinks[i]->SetValue(i == m_model.GetLink());
        m_wndLinks[i]->Show(m_model.GetKind() == IDS_INFO_LINKS);
    }

    auto* info = Control<wxStaticText>(this, IDC_INFO);
    info->SetLabel(LoadWxString(m_model.GetKind()));
    info->Wrap(info->GetSize().x);

    // The grid draws and hit-tests whole cells of one pitch: its client area
    // must be 15 pitches plus the closing line each way. Keep the right and
    // bottom edges, move the left and top ones.
    const wxSize client = m_wndGrid->GetClientSize();
    const int dx = client.x % kGridColumns - 1;
    const int dy = client.y % kGridRows - 1;
    const wxRect grid = m_wndGrid->GetRect();
    m_wndGrid->SetSize(grid.x + dx, grid.y + dy, grid.width - dx, grid.height - dy);
    wxWindow* editColour = FindWindow(IDC_EDIT_COLOUR);
    editColour->Move(m_wndGrid->GetPosition().x - editColour->GetSize().x, editColour->GetPosition().y);

    // The controls take up what the model says they would show by now.
    for (CSpinButton* spin : {m_wndRedSpin, m_wndGreenSpin, m_wndBlueSpin}) {
        spin->SetRange(0, kComponentMax);
        spin->SetBase(m_model.GetBase());
    }
    SetPositions(m_model.GetShownValues());
    m_wndDefault->SetValue(m_model.IsDefault());
    EnableColourControls(!m_model.IsDefault());

    for (int id : {IDC_RED, IDC_GREEN, IDC_BLUE})
        Bind(
            wxEVT_TEXT, [this](wxCommandEvent&) { OnChangeRgb(); }, id);
    m_wndHex->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { OnHexEntered(); });
    m_wndHex->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        if (!m_pOwner->GetOwnerWindow()->IsBeingDeleted()) // its menu, holding the options, may be gone
            OnHexEntered();
        event.Skip();
    });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnCopyHex(); }, IDC_COPY_HEX);
    Bind(
        wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnDefault(); }, IDC_DEFAULT);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnEditColour(); }, IDC_EDIT_COLOUR);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnPipette(); }, IDC_PIPETTE);
    Bind(wxEVT_TOGGLEBUTTON, &CPageColour::OnLinkButton, this, IDC_LINK, IDC_ALINK);
    Bind(wxEVT_BUTTON, &CPageColour::OnGridSelect, this, IDC_GRID);

    UpdateFromScheme();
    InstallContextHelp(this, IDD_PAGE_COLOUR);
}

void CPageColour::SetPositions(COLORREF colour)
{
    m_wndRedSpin->SetPos(RedOf(colour));
    m_wndGreenSpin->SetPos(GreenOf(colour));
    m_wndBlueSpin->SetPos(BlueOf(colour));
}

void CPageColour::ShowHex(COLORREF colour)
{
    m_wndHex->ChangeValue(wxString::FromUTF8(FormatColour(colour, m_pOwner->IsOptionChecked(ID_OPTION_HEX_UPPER))));
    ShowHexError(false);
}

void CPageColour::ShowHexError(bool error)
{
    if (error == m_bHexError)
        return;
    m_bHexError = error;
    m_wndHex->SetBackgroundColour(error ? wxColour(255, 200, 200) : wxNullColour);
    m_wndHex->Refresh();
}

void CPageColour::OnHexEntered()
{
    const std::optional<COLORREF> colour = ParseSimpleColour(m_wndHex->GetValue().utf8_string());
    if (!colour) {
        ShowHexError(true);
        return;
    }
    if (*colour == m_wndGrid->GetSelectedColour()) {
        ShowHex(*colour); // the text in the program's own form
        return;
    }
    m_wndGrid->SetSelectedColour(*colour);
    SendGridNotice();
}

void CPageColour::ReadLinkButtons()
{
    if (!HasControls() || m_model.GetKind() != IDS_INFO_LINKS)
        return;
    int link = -1;
    for (int i = 0; i < 3; ++i) {
        if (m_wndLinks[i]->GetValue()) {
            link = i;
            break;
        }
    }
    m_model.SetLink(link);
}

COLORREF* CPageColour::SchemeField()
{
    ReadLinkButtons();
    return m_model.SchemeField(m_pOwner->GetScheme());
}

void CPageColour::OnChangeRgb()
{
    if (!m_wndRedSpin || m_bUpdating)
        return;
    // Read back through the up-down controls: they know the current base,
    // and a box whose text is no number in 0..255 counts as 255 while it
    // keeps the text that was typed.
    const COLORREF colour = MakeColour(uint8_t(m_wndRedSpin->GetUsedPos()), uint8_t(m_wndGreenSpin->GetUsedPos()),
                                       uint8_t(m_wndBlueSpin->GetUsedPos()));
    m_wndGrid->SetSelectedColour(colour);
    ShowHex(colour);
    StoreColour();
}

void CPageColour::StoreColour()
{
    COLORREF value = m_wndGrid->GetSelectedColour();
    if (m_wndDefault->GetValue())
        value |= kDefaultMark;
    if (COLORREF* field = SchemeField())
        *field = value;
    m_pOwner->UpdateBodyCode();
}

void CPageColour::OnDefault()
{
    m_model.SetDefault(m_wndDefault->GetValue());
    EnableColourControls(!m_wndDefault->GetValue());
    StoreColour();
}

void CPageColour::EnableColourControls(bool enabled)
{
    // The values and the swatches stay: a default colour still shows its RGB.
    for (int id : kColourControlIds)
        FindWindow(id)->Enable(enabled);
}

void CPageColour::OnGridSelect(wxCommandEvent& event)
{
    {
        const CScopedFlag updating(m_bUpdating);
        SetPositions(m_wndGrid->GetSelectedColour());
        m_wndGrid->SetFocus();
    }
    OnChangeRgb();
    event.Skip();
}

void CPageColour::SendGridNotice()
{
    wxCommandEvent notice(wxEVT_BUTTON, IDC_GRID);
    notice.SetEventObject(m_wndGrid);
    ProcessWindowEvent(notice);
}

void CPageColour::OnLinkButton(wxCommandEvent& event)
{
    // Push-like radio buttons: the clicked one stays pressed (also when it
    // was pressed already), the others rise.
    for (int i = 0; i < 3; ++i)
        m_wndLinks[i]->SetValue(kLinkButtonIds[i] == event.GetId());
    OnLinkKind();
}

void CPageColour::OnLinkKind()
{
    const COLORREF* field = SchemeField();
    const COLORREF value = field ? *field : kDefaultMark;
    m_wndDefault->SetValue(IsDefaultColour(value));
    m_wndGrid->SelectColour(value & kRgbMask);
    {
        const CScopedFlag updating(m_bUpdating);
        SetPositions(value);
    }
    OnChangeRgb();
    OnDefault();
}

void CPageColour::UpdateFromScheme()
{
    ReadLinkButtons();
    const CColourPageModel::Refresh change = m_model.UpdateFromScheme(m_pOwner->GetScheme(), InputBase());
    if (!HasControls()) {
        if (change.Stored())
            m_pOwner->UpdateBodyCode();
        return;
    }
    // The controls show what changed, through their own handlers. The field's
    // colour is the selected one now.
    const COLORREF colour = m_wndGrid->GetSelectedColour();
    if (change.base) {
        for (CSpinButton* spin : {m_wndRedSpin, m_wndGreenSpin, m_wndBlueSpin})
            spin->SetBase(m_model.GetBase());
    }
    if (change.base || change.colour) {
        // After a change of base, a box whose text was no number in range
        // shows the 255 that the colour holds.
        const CScopedFlag updating(m_bUpdating);
        SetPositions(colour);
    }
    if (change.colour) {
        m_wndGrid->RedrawAll();
        OnChangeRgb();
    } else {
        ShowHex(colour); // how a change of the hex case reaches the box
    }
    if (change.isDefault) {
        m_wndDefault->SetValue(m_model.IsDefault());
        OnDefault();
    }
}

void CPageColour::OnCopyHex()
{
    m_wndHex->SelectAll();
    m_wndHex->Copy();
}

void CPageColour::OnEditColour()
{
    wxColourData data = SharedColourData();
    data.SetColour(ColourToWx(m_wndGrid->GetSelectedColour()));
    wxColourDialog dialog(this, &data);
    if (dialog.ShowModal() != wxID_OK)
        return;
    SharedColourData() = dialog.GetColourData();
    m_wndGrid->SetSelectedColour(ColourFromWx(dialog.GetColourData().GetColour()));
    SendGridNotice();
}

void CPageColour::OnPipette()
{
    CScreenPickerDlg picker(m_pOwner->GetOwnerWindow());
    picker.m_rcPage = GetScreenRect();
    // Hidden, so that whatever lies behind it can be sampled.
    m_pOwner->GetOwnerWindow()->Hide();
    if (picker.ShowModal() == wxID_OK) {
        m_wndGrid->SetSelectedColour(picker.GetSampledColour());
        SendGridNotice();
    }
    m_pOwner->GetOwnerWindow()->Show();
}

void CPageColour::LoadPalette(const CTextBuffer& text)
{
    ReplacePalette(&text);
}

void CPageColour::ResetPalette()
{
    ReplacePalette(nullptr);
}

void CPageColour::ReplacePalette(const CTextBuffer* text)
{
    m_model.ReplacePalette(text);
    if (m_wndGrid)
        m_wndGrid->RedrawAll();
}

int CPageColour::InputBase() const
{
    return m_pOwner->IsOptionChecked(ID_OPTION_INPUT_HEX) ? 16 : 10;
}
