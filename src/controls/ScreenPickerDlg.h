// The eyedropper: a small modal window whose swatch shows the colour of the
// screen pixel under the pointer, wherever the pointer is, and whose
// magnifier shows the pixels around it enlarged, with the hex of the one in
// the middle. The arrow keys move the pointer by one device pixel (Shift: by
// ten); Enter or Space take the pixel under the pointer (wxID_OK), Escape or
// the close box drop it (wxID_CANCEL).
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
#include <optional>

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
    void AddMagnifier();
    // Reads the square around the pointer and redraws only when it changed,
    // so a still pointer costs one small read a tick.
    void Resample();
    void OnSampleTimer(wxTimerEvent& event);
    void OnPaintMagnifier(wxPaintEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnClose(wxCloseEvent& event);

    wxWindow* m_wndSwatch = nullptr;
    wxWindow* m_wndMagnifier = nullptr;
    wxWindow* m_wndHex = nullptr;
    COLORREF m_crSample = 0xFFFFFF;
    std::optional<ScreenPatch> m_patch;
    std::unique_ptr<CScreenSampler> m_pSampler; // made when the window opens
    wxTimer m_timerSample;
};
