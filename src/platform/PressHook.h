// Mouse presses inside a window, seen before any of its controls sees them,
// disabled controls included. GTK delivers no press to an insensitive widget
// (so wx raises neither a mouse nor a context-menu event for it); a
// capture-phase gesture on the window's own widget still sees the press.
#pragma once

#include <wx/gdicmn.h>

#include <functional>

class wxWindow;

struct MousePress
{
    unsigned button;      // 1 left, 2 middle, 3 right
    wxPoint screenPos;    // where the press happened, in screen pixels
    bool targetSensitive; // the widget under the pointer takes presses
};

// Returns true to swallow the press, so that no control under it sees it.
using PressHandler = std::function<bool(const MousePress& press)>;

// The hook lives as long as the window's widget.
void AddPressHook(wxWindow* window, PressHandler handler);
