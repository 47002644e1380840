// Popup help per control. Every help window (the main window, the pages, the
// about box) and most of their controls carry a context-help id, set once
// from the table of res/HelpIds.h. A right click offers "&Explications?" for
// the id of what lies under the pointer; F1, or the about box's "?" button
// followed by a click, asks for the popup of a control's id. A control
// without an id gives the id of its window.
#pragma once

#include <wx/button.h>
#include <wx/weakref.h>

#include <cstdint>
#include <functional>

class wxHelpEvent;
class wxKeyEvent;
struct MousePress;

// Sets the ids of window, made from template templateId, and of its
// controls (its descendants, down to the next window with ids of its own
// and not into a tab control's pages), and makes a right click anywhere in
// it, on a disabled control too, offer the context menu of
// SetContextMenuHandler for the id under the pointer. Call once, when the
// controls exist.
void InstallContextHelp(wxWindow* window, int templateId);

// Pops up the context menu for a help id over window at a screen point.
using ContextMenuHandler = std::function<void(uint32_t helpId, wxWindow* window, const wxPoint& screenPos)>;
// The main window gives its context menu here; it serves while owner lives.
// Without one a right click goes its default way.
void SetContextMenuHandler(wxWindow* owner, ContextMenuHandler show);

// The id the window carries itself; 0 for none.
uint32_t GetContextHelpId(const wxWindow* window);

// The id of window, else of its nearest parent, up to top, that has one.
uint32_t ResolveContextHelpId(const wxWindow* window, const wxWindow* top);

// What a right click at a screen point of window asks about: the id of the
// control there, else of window; 0 when the point lies outside window.
// Hidden controls are passed over, disabled ones are not.
uint32_t ContextHelpIdAt(const wxWindow* window, const wxPoint& screenPos);

// The F1 key of a top-level window: a help request for the control that has
// the focus (the window itself when none has). False for any other key.
bool SendHelpKey(wxWindow* topLevel, const wxKeyEvent& event);

// Answers a help request in a top-level window (the main window, the about
// box): the popup of the id of the control it is about.
void ShowHelpPopup(wxWindow* topLevel, const wxHelpEvent& event);

// The "?" button, in place of the caption's help button that GTK does not
// draw: after a click on it, the next click in its window asks for help on
// the control under the pointer instead of working that control. Escape
// leaves the mode.
class CHelpModeButton : public wxButton
{
public:
    CHelpModeButton(wxWindow* parent, const wxRect& rect);
    ~CHelpModeButton() override;

    bool IsInHelpMode() const { return m_bHelpMode; }

private:
    void OnClick(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);
    bool OnPress(const MousePress& press);
    void LeaveHelpMode();

    bool m_bHelpMode = false;
    // Its window, kept: while the window is destroyed, its children no
    // longer find it as their top-level parent.
    wxWeakRef<wxWindow> m_wndTop;
};
