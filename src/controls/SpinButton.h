// The up-down control: a pair of arrows against the right edge of a buddy
// edit whose text is the control's position, in base 10 or 16. We draw our
// own because wxSpinButton is a horizontal "- +" pair on GTK3 that breaks at
// small sizes, and wxSpinCtrl clamps silently where the pages need to hear
// that the typed text is not a number in range.
//
// Base 16 shows upper-case hexadecimal digits without prefix or padding
// (255 is "FF", 10 is "A"). Typing into the buddy is limited to the digits
// of the current base (a-f and A-F too in base 16); keys with Alt or Ctrl
// pass on, to menus and mnemonics. An empty buddy is not a number.
#pragma once

#include "res/Templates.h"

#include <wx/control.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/weakref.h>

class CSpinButton : public wxControl
{
public:
    // Narrows the buddy by width (the best width when wxDefaultCoord) and
    // takes the freed strip at its right edge, as tall as the buddy. The
    // range starts as 0..100, the position as 0, shown in the buddy.
    CSpinButton(wxWindow* parent, wxWindowID id, wxTextCtrl* buddy, int width = wxDefaultCoord);
    ~CSpinButton() override;

    // For BuildDialogControls: an up-down entry becomes a CSpinButton of the
    // entry's width whose buddy is the edit created just before it. Null for
    // any other entry, or when the previous control is no edit.
    static wxWindow* FromTemplate(wxWindow* parent, const ControlTemplate& control, const wxRect& rect);

    wxTextCtrl* GetBuddy() const { return m_pBuddy; }

    // 10 or 16; other bases are ignored. The buddy is rewritten in the new
    // base without a change event, since its number stays the same.
    void SetBase(int base);
    int GetBase() const { return m_nBase; }

    // No wrap-around at either end; low > high are swapped. The buddy text
    // is left alone.
    void SetRange(int low, int high);
    int GetMin() const { return m_nLow; }
    int GetMax() const { return m_nHigh; }

    // Clamped to the range. Always writes the buddy, which raises its
    // wxEVT_TEXT: the pages listen to their value boxes, not to the arrows.
    void SetPos(int pos);
    // The buddy's number in the current base. When the text is not a number
    // within the range, *error is set and the last valid position returned.
    int GetPos(bool* error = nullptr);
    // What the pages use: the position, or the top of the range when the
    // text is not a number within the range. The arrows step from it.
    int GetUsedPos();

    bool AcceptsFocus() const override { return false; }
    bool AcceptsFocusFromKeyboard() const override { return false; }

protected:
    wxSize DoGetBestSize() const override;

private:
    enum class Half
    {
        None,
        Up,
        Down,
    };

    Half HalfAt(const wxPoint& point) const;
    wxRect HalfRect(Half half) const;
    // One step from the position in use; stops at the range's ends.
    void Step(int delta);
    void StopRepeat();
    wxString FormatPos(int pos) const;

    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnRepeatTimer(wxTimerEvent& event);
    void OnBuddyKeyDown(wxKeyEvent& event);
    void OnBuddyChar(wxKeyEvent& event);

    wxWeakRef<wxTextCtrl> m_pBuddy;
    wxTimer m_timerRepeat;
    int m_nBase = 10;
    int m_nLow = 0;
    int m_nHigh = 100;
    int m_nPos = 0;
    Half m_ePressed = Half::None; // the half held down, while the mouse is captured
    bool m_bOverPressed = false;  // the pointer is over the held half: it repeats and looks pressed
};
