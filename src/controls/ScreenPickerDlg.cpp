#include "controls/ScreenPickerDlg.h"
#include "platform/ColourConv.h"

#include "platform/DialogBuilder.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "res/Templates.h"

#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>

namespace {

// Often enough for the swatch to follow the pointer without visible lag.
constexpr int kSampleIntervalMs = 40;

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
    auto* text = wxDynamicCast(FindWindow(IDC_PICKER_TEXT), wxStaticText);
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
        wxMessageBox(wxString::FromUTF8(LoadResString(IDS_PICKER_NO_SCREEN)), GetTitle(), wxOK | wxICON_EXCLAMATION,
                     GetParent());
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

void CScreenPickerDlg::OnSampleTimer(wxTimerEvent&)
{
    const std::optional<COLORREF> sample = m_pSampler->SampleAtPointer();
    if (!sample || *sample == m_crSample)
        return;
    m_crSample = *sample;
    m_wndSwatch->SetBackgroundColour(ColourToWx(m_crSample));
    m_wndSwatch->Refresh();
}

void CScreenPickerDlg::OnCharHook(wxKeyEvent& event)
{
    if (!IsModal()) {
        event.Skip();
        return;
    }
    switch (event.GetKeyCode()) {
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
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
