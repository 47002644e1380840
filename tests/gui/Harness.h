// Shared harness of the GUI tests: one wx application per test process, real
// windows on the X display (Xvfb in the test script), a guard that fails a
// test when a modal dialog opens unexpectedly, and small helpers to pump
// events, wait and take screenshots.
#pragma once

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/window.h>

#include <functional>
#include <ostream>
#include <string>

namespace VelloranTest {

// Processes pending events and idle handlers, for about ms milliseconds.
void Pump(int ms = 0);

// Pumps until cond() is true or timeoutMs passes; returns cond().
bool WaitFor(const std::function<bool()>& cond, int timeoutMs = 3000);

// What the window shows on the screen now (client area), read back from the
// X server, in device pixels (twice the window's size at scale 2).
wxImage CaptureClient(wxWindow* window);
wxColour PixelAt(wxWindow* window, int x, int y);

// Saves the window (with its frame when it is top-level) to
// <build>/shots/<name>.png so anyone can look at it.
void SaveScreenshot(wxWindow* window, const std::string& name);

// While one lives, modal dialogs may open (the test drives them itself).
// Without it, a modal dialog that no wxTEST_DIALOG expects fails the test
// and is answered with wxID_CANCEL instead of hanging.
// A borderless top-level window of one colour at rect, shown, with the
// pointer moved to its middle: something known for the eyedropper to sample.
wxFrame* ShowColourTarget(const wxRect& rect, const wxColour& colour);

// Raises the window and types one key (modifiers: wxMOD_SHIFT...): keys
// reach only the active window.
void SendKeyTo(wxWindow* window, int key, int modifiers = wxMOD_NONE);

// Clicks the upper or lower half of an up-down control.
void ClickSpinArrow(wxWindow* spin, bool up);

// Sends a menu command as the menu bar does: a check item is toggled first.
void SendMenuCommand(wxWindow* frame, int commandId);

class CAllowModal
{
public:
    CAllowModal();
    ~CAllowModal();
    CAllowModal(const CAllowModal&) = delete;
    CAllowModal& operator=(const CAllowModal&) = delete;
};

} // namespace VelloranTest

// Readable colours in failed checks.
inline void PrintTo(const wxColour& colour, std::ostream* os)
{
    *os << colour.GetAsString(wxC2S_HTML_SYNTAX).utf8_string();
}
