#include "help/ContextHelp.h"

#include "help/HelpIds.h"
#include "help/HelpService.h"
#include "platform/PressHook.h"

#include <wx/app.h>
#include <wx/bookctrl.h>
#include <wx/textctrl.h>
#include <wx/weakref.h>

#include <unordered_map>
#include <utility>

namespace {

// The per-window id store. An entry counts only while its window lives: a
// new window at a dead one's address does not inherit its id.
struct HelpIdEntry
{
    wxWeakRef<wxWindow> window;
    uint32_t id;
    bool ownsControls; // a help window, whose controls fall back on its id
};

// The context menu's owner, counted only while it lives.
struct MenuHandler
{
    wxWeakRef<wxWindow> owner;
    ContextMenuHandler show;
};

MenuHandler& Handler()
{
    static MenuHandler handler;
    return handler;
}

std::unordered_map<const wxWindow*, HelpIdEntry>& Store()
{
    static std::unordered_map<const wxWindow*, HelpIdEntry> store;
    return store;
}

const HelpIdEntry* FindEntry(const wxWindow* window)
{
    const auto it = Store().find(window);
    return it != Store().end() && it->second.window.get() == window ? &it->second : nullptr;
}

void SetEntry(wxWindow* window, uint32_t id, bool ownsControls)
{
    Store().insert_or_assign(window, HelpIdEntry{window, id, ownsControls});
}

bool IsHelpWindow(const wxWindow* window)
{
    const HelpIdEntry* entry = FindEntry(window);
    return entry && entry->ownsControls;
}

// The nearest help window that window belongs to (window itself included).
const wxWindow* HelpWindowOf(const wxWindow* window)
{
    while (window && !IsHelpWindow(window))
        window = window->GetParent();
    return window;
}

void AssignControlIds(wxWindow* parent, int templateId)
{
    if (dynamic_cast<const wxBookCtrlBase*>(parent))
        return; // its pages are windows of their own
    for (wxWindow* child : parent->GetChildren()) {
        if (child->IsTopLevel() || IsHelpWindow(child))
            continue;
        if (child->GetId() > 0) {
            if (const uint32_t id = FindContextHelpId(templateId, child->GetId()))
                SetEntry(child, id, false);
        }
        AssignControlIds(child, templateId);
    }
}

// The innermost shown window under the point, hidden ones passed over and
// disabled ones not; window itself when no child lies there.
wxWindow* WindowAt(wxWindow* window, const wxPoint& screenPos)
{
    for (wxWindow* child : window->GetChildren()) {
        if (!child->IsTopLevel() && child->IsShown() && child->GetScreenRect().Contains(screenPos))
            return WindowAt(child, screenPos);
    }
    return window;
}

void OnContextMenu(wxWindow* window, wxContextMenuEvent& event)
{
    // The keyboard's menu key brings no position and an edit box answers
    // with its own editing menu: both go their default way.
    const wxPoint screenPos = event.GetPosition();
    if (screenPos == wxDefaultPosition || dynamic_cast<const wxTextCtrl*>(event.GetEventObject())) {
        event.Skip();
        return;
    }
    const uint32_t id = ContextHelpIdAt(window, screenPos);
    const MenuHandler& handler = Handler();
    if (id == 0 || !handler.owner || !handler.show) {
        event.Skip();
        return;
    }
    handler.show(id, window, screenPos);
}

// A right click on a disabled control reaches nobody: raise the request
// here for the help window the control belongs to.
bool OnDisabledPress(wxWindow* window, const MousePress& press)
{
    if (press.button != 3 || press.targetSensitive || HelpWindowOf(WindowAt(window, press.screenPos)) != window)
        return false;
    auto* request = new wxContextMenuEvent(wxEVT_CONTEXT_MENU, window->GetId(), press.screenPos);
    request->SetEventObject(window);
    window->GetEventHandler()->QueueEvent(request);
    return false;
}

void SendHelpRequest(wxWindow* window, wxHelpEvent::Origin origin)
{
    wxHelpEvent request(wxEVT_HELP, window->GetId(), wxGetMousePosition(), origin);
    request.SetEventObject(window);
    window->GetEventHandler()->ProcessEvent(request);
}

} // namespace

void SetContextMenuHandler(wxWindow* owner, ContextMenuHandler show)
{
    Handler() = {owner, std::move(show)};
}

void InstallContextHelp(wxWindow* window, int templateId)
{
    std::erase_if(Store(), [](const auto& item) { return !item.second.window; });
    SetEntry(window, FindContextHelpId(templateId, kHelpWindowItself), true);
    AssignControlIds(window, templateId);
    window->Bind(wxEVT_CONTEXT_MENU, [window](wxContextMenuEvent& event) { OnContextMenu(window, event); });
    AddPressHook(window, [window](const MousePress& press) { return OnDisabledPress(window, press); });
}

uint32_t GetContextHelpId(const wxWindow* window)
{
    const HelpIdEntry* entry = FindEntry(window);
    return entry ? entry->id : 0;
}

uint32_t ResolveContextHelpId(const wxWindow* window, const wxWindow* top)
{
    for (; window; window = window->GetParent()) {
        if (const uint32_t id = GetContextHelpId(window))
            return id;
        if (window == top)
            break;
    }
    return 0;
}

uint32_t ContextHelpIdAt(const wxWindow* window, const wxPoint& screenPos)
{
    if (!wxRect(window->GetClientSize()).Contains(window->ScreenToClient(screenPos)))
        return 0;
    return ResolveContextHelpId(WindowAt(const_cast<wxWindow*>(window), screenPos), window);
}

bool SendHelpKey(wxWindow* topLevel, const wxKeyEvent& event)
{
    if (event.GetKeyCode() != WXK_F1 || event.HasAnyModifiers())
        return false;
    wxWindow* focus = wxWindow::FindFocus();
    SendHelpRequest(focus && wxGetTopLevelParent(focus) == topLevel ? focus : topLevel, wxHelpEvent::Origin_Keyboard);
    return true;
}

void ShowHelpPopup(wxWindow* topLevel, const wxHelpEvent& event)
{
    const auto* about = dynamic_cast<const wxWindow*>(event.GetEventObject());
    CallHelp(topLevel, HelpCommand::Popup, ResolveContextHelpId(about ? about : topLevel, topLevel));
}

CHelpModeButton::CHelpModeButton(wxWindow* parent, const wxRect& rect)
    : wxButton(parent, wxID_ANY, "?", rect.GetPosition(), rect.GetSize(), wxBU_EXACTFIT)
{
    Bind(wxEVT_BUTTON, &CHelpModeButton::OnClick, this);
    m_wndTop = wxGetTopLevelParent(parent);
    m_wndTop->Bind(wxEVT_CHAR_HOOK, &CHelpModeButton::OnCharHook, this);
    AddPressHook(m_wndTop, [self = wxWeakRef<CHelpModeButton>(this)](const MousePress& press) {
        return self && self->OnPress(press);
    });
}

CHelpModeButton::~CHelpModeButton()
{
    LeaveHelpMode();
    // A window being destroyed takes its bindings with it; its event tables
    // may already be half gone while its children go.
    if (m_wndTop && !m_wndTop->IsBeingDeleted())
        m_wndTop->Unbind(wxEVT_CHAR_HOOK, &CHelpModeButton::OnCharHook, this);
}

void CHelpModeButton::OnClick(wxCommandEvent&)
{
    m_bHelpMode = true;
    wxSetCursor(wxCursor(wxCURSOR_QUESTION_ARROW));
}

void CHelpModeButton::OnCharHook(wxKeyEvent& event)
{
    if (m_bHelpMode && event.GetKeyCode() == WXK_ESCAPE) {
        LeaveHelpMode();
        return;
    }
    event.Skip();
}

bool CHelpModeButton::OnPress(const MousePress& press)
{
    if (!m_bHelpMode)
        return false;
    LeaveHelpMode();
    wxWindow* top = m_wndTop;
    if (press.button == 1 && wxRect(top->GetClientSize()).Contains(top->ScreenToClient(press.screenPos))) {
        // After GTK has finished with the press the control did not get.
        CallAfter([target = wxWeakRef<wxWindow>(WindowAt(top, press.screenPos))] {
            if (target)
                SendHelpRequest(target, wxHelpEvent::Origin_HelpButton);
        });
    }
    return true;
}

void CHelpModeButton::LeaveHelpMode()
{
    if (!m_bHelpMode)
        return;
    m_bHelpMode = false;
    wxSetCursor(wxNullCursor);
}
