// The eyedropper: a small modal window whose swatch shows the colour of the
// screen pixel under the pointer, wherever the pointer is. Enter takes the
// colour shown (wxID_OK), Escape or the close box drop it (wxID_CANCEL).
//
// Where the display cannot be read by a program (Wayland), ShowModal runs
// the desktop's own colour picker instead of the window, with the same
// results; when the desktop offers none, it says so in a message box and
// returns wxID_CANCEL.
#pragma once

#include "model/Scheme.h"
#include "platform/ScreenSampler.h"

#include <wx/dialog.h>
#include <wx/timer.h>

#include <memory>

class CScreenPickerDlg : public wxDialog
{
public:
    explicit CScreenPickerDlg(wxWindow* parent);

    int ShowModal() override;
    void EndModal(int retCode) override;

    // The last colour read; white until the first read. Failed reads are
    // skipped, so it always holds a colour the screen showed.
    COLORREF GetSampledColour() const { return m_crSample; }

    // The colour page's rectangle in screen pixels, set by the caller before
    // ShowModal: the window opens centred on it (on the screen when empty).
    wxRect m_rcPage;

private:
    void CentreOnPage();
    void OnSampleTimer(wxTimerEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnClose(wxCloseEvent& event);

    wxWindow* m_wndSwatch = nullptr;
    COLORREF m_crSample = 0xFFFFFF;
    std::unique_ptr<CScreenSampler> m_pSampler; // made when the window opens
    wxTimer m_timerSample;
};
