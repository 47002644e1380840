#include "controls/ScreenPickerDlg.h"
#include "ui/ColourConv.h"

#include "controls/DialogBuilder.h"
#include "res/ResourceIds.h"
#include "res/Templates.h"
#include "ui/Control.h"
#include "ui/TextConv.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>

namespace {

// Often enough for the swatch to follow the pointer without visible lag.
constexpr int kSampleIntervalMs = 40;
// Each pixel of the square around the pointer is drawn this many pixels wide.
constexpr int kZoom = 8;

} // namespace

CScreenPickerDlg::CScreenPickerDlg(wxWindow* parent) : m_timerSample(this)
{
    const DialogTemplate& dialog = *FindDialogTemplate(IDD_SCREEN_PICKER);
    Create(parent, wxID_ANY, wxString::FromUTF8(dialog.caption), wxDefaultPosition, wxDefaultSize,
           wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxFRAME_TOOL_WINDOW);
    SetFont(GetDialogFont());
    SetClientSize(TemplateSizeToPixels(this, dialog));
    BuildDialogControls(this, dialog);

    m_wndSwatch = FindWindow(IDC_SWATCH);
    // The wrapped text needs more lines in GTK's font than the template
    // allows: the text, the swatch beside it and the window grow together.
    auto* text = Control<wxStaticText>(this, IDC_PICKER_TEXT);
    text->Wrap(text->GetSize().x);
    wxMemoryDC measure;
    measure.SetFont(text->GetFont());
    const int extra = measure.GetMultiLineTextExtent(text->GetLabel()).y - text->GetSize().y;
    if (extra > 0) {
        text->SetSize(text->GetSize() + wxSize(0, extra));
        m_wndSwatch->SetSize(m_wndSwatch->GetSize() + wxSize(0, extra));
        SetClientSize(GetClientSize() + wxSize(0, extra));
    }
    m_wndSwatch->SetBackgroundColour(ColourToWx(m_crSample));
    AddMagnifier();

    Bind(wxEVT_TIMER, &CScreenPickerDlg::OnSampleTimer, this, m_timerSample.GetId());
    Bind(wxEVT_CHAR_HOOK, &CScreenPickerDlg::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &CScreenPickerDlg::OnClose, this);
}

int CScreenPickerDlg::ShowModal()
{
    if (!CScreenSampler::CanReadPixels()) {
        COLORREF picked = 0;
        switch (PickColourWithPortal(&picked)) {
        case PortalPick::Picked:
            m_crSample = picked;
            return wxID_OK;
        case PortalPick::Cancelled:
            return wxID_CANCEL;
        case PortalPick::Unavailable:
            break;
        }
        // Better than handing back a colour that was never on the screen.
        wxMessageBox(LoadWxString(IDS_PICKER_NO_SCREEN), GetTitle(), wxOK | wxICON_EXCLAMATION, GetParent());
        return wxID_CANCEL;
    }
    CentreOnPage();
    m_pSampler = std::make_unique<CScreenSampler>();
    m_timerSample.Start(kSampleIntervalMs);
    return wxDialog::ShowModal();
}

void CScreenPickerDlg::EndModal(int retCode)
{
    m_timerSample.Stop();
    wxDialog::EndModal(retCode);
}

void CScreenPickerDlg::CentreOnPage()
{
    if (m_rcPage.IsEmpty()) {
        CentreOnScreen();
        return;
    }
    const wxSize size = GetSize();
    Move(m_rcPage.x + m_rcPage.width / 2 - size.x / 2, m_rcPage.y + m_rcPage.height / 2 - size.y / 2);
}

// Below the text and the swatch, with the template's margins, the hex to
// its right; the window grows to hold it.
void CScreenPickerDlg::AddMagnifier()
{
    const int margin = m_wndSwatch->GetPosition().y;
    const int side = ScreenPatch::kSide * kZoom;
    const wxPoint at(FindWindow(IDC_PICKER_TEXT)->GetPosition().x, m_wndSwatch->GetRect().GetBottom() + 1 + margin);
    m_wndMagnifier = new wxWindow(this, IDC_MAGNIFIER, at, wxSize(side, side), wxBORDER_NONE);
    m_wndMagnifier->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_wndMagnifier->Bind(wxEVT_PAINT, &CScreenPickerDlg::OnPaintMagnifier, this);
    m_wndHex = new wxStaticText(this, IDC_MAGNIFIER_HEX, "#000000");
    m_wndHex->Move(at.x + side + margin, at.y + (side - m_wndHex->GetSize().y) / 2);
    m_wndHex->SetLabel(wxString());
    SetClientSize(GetClientSize().x, at.y + side + margin);
}

void CScreenPickerDlg::Resample()
{
    const std::optional<ScreenPatch> patch = m_pSampler->SampleAroundPointer();
    if (!patch || patch == m_patch)
        return;
    const bool centreChanged = !m_patch || m_patch->Centre() != patch->Centre();
    m_patch = patch;
    m_wndMagnifier->Refresh(false);
    if (!centreChanged)
        return;
    m_crSample = patch->Centre();
    m_wndSwatch->SetBackgroundColour(ColourToWx(m_crSample));
    m_wndSwatch->Refresh();
    m_wndHex->SetLabel(FormatColour(m_crSample, true));
}

void CScreenPickerDlg::OnSampleTimer(wxTimerEvent&)
{
    Resample();
}

void CScreenPickerDlg::OnPaintMagnifier(wxPaintEvent&)
{
    wxPaintDC dc(m_wndMagnifier);
    dc.SetPen(*wxTRANSPARENT_PEN);
    for (int row = 0; row < ScreenPatch::kSide; ++row) {
        for (int col = 0; col < ScreenPatch::kSide; ++col) {
            const COLORREF colour = m_patch ? m_patch->At(col, row) : ScreenPatch::kOffScreen;
            const wxRect cell(col * kZoom, row * kZoom, kZoom, kZoom);
            dc.SetBrush(colour == ScreenPatch::kOffScreen ? *wxLIGHT_GREY_BRUSH : wxBrush(ColourToWx(colour)));
            dc.DrawRectangle(cell);
            if (colour == ScreenPatch::kOffScreen) {
                dc.SetBrush(wxBrush(*wxBLACK, wxBRUSHSTYLE_CROSSDIAG_HATCH));
                dc.DrawRectangle(cell);
            }
        }
    }
    // Two rings around the centre pixel, one of them visible on any colour;
    // the pixel itself stays uncovered.
    const int centre = ScreenPatch::kRadius * kZoom;
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.SetPen(*wxBLACK_PEN);
    dc.DrawRectangle(centre - 2, centre - 2, kZoom + 4, kZoom + 4);
    dc.SetPen(*wxWHITE_PEN);
    dc.DrawRectangle(centre - 1, centre - 1, kZoom + 2, kZoom + 2);
}

void CScreenPickerDlg::OnCharHook(wxKeyEvent& event)
{
    if (!IsModal()) {
        event.Skip();
        return;
    }
    const int step = event.ShiftDown() ? 10 : 1;
    const int key = event.GetKeyCode();
    switch (key) {
    case WXK_LEFT:
    case WXK_RIGHT:
    case WXK_UP:
    case WXK_DOWN:
        m_pSampler->MovePointer(key == WXK_LEFT    ? -step
                                : key == WXK_RIGHT ? step
                                                   : 0,
                                key == WXK_UP     ? -step
                                : key == WXK_DOWN ? step
                                                  : 0);
        Resample();
        break;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
    case WXK_SPACE:
        Resample(); // the pixel under the pointer now, not at the last tick
        EndModal(wxID_OK);
        break;
    case WXK_ESCAPE:
        EndModal(wxID_CANCEL);
        break;
    case WXK_F1: // no help for this window
        break;
    default:
        event.Skip();
    }
}

void CScreenPickerDlg::OnClose(wxCloseEvent& event)
{
    if (IsModal())
        EndModal(wxID_CANCEL);
    else
        event.Skip();
}
