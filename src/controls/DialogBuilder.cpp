#include "controls/DialogBuilder.h"

#include "controls/SpinButton.h"
#include "ui/AppIcon.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/notebook.h>
#include <wx/settings.h>
#include <wx/statbmp.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

#include <algorithm>
#include <vector>

namespace {

wxString FromUtf8(const char* text)
{
    return wxString::FromUTF8(text ? text : "");
}

long TextStyle(uint32_t style)
{
    long wxstyle = 0;
    if (style & kReadOnly)
        wxstyle |= wxTE_READONLY;
    // A multi-line box wraps its lines unless it scrolls sideways.
    if (style & kMultiLine)
        wxstyle |= wxTE_MULTILINE | (style & (kHScroll | kAutoHScroll) ? wxTE_DONTWRAP : wxTE_BESTWRAP);
    if (style & kHScroll)
        wxstyle |= wxHSCROLL;
    if (style & kWantReturn)
        wxstyle |= wxTE_PROCESS_ENTER;
    return wxstyle;
}

long BorderStyle(uint32_t style)
{
    if (style & kClientEdge)
        return wxBORDER_SUNKEN;
    if (style & kStaticEdge)
        return wxBORDER_STATIC;
    return wxBORDER_NONE;
}

wxWindow* CreateDefault(wxWindow* parent, const ControlTemplate& c, const wxRect& r)
{
    const wxString text = FromUtf8(c.text);
    switch (c.kind) {
    case ControlKind::Static: {
        auto* label = new wxStaticText(parent, c.id, wxString(), r.GetPosition(), r.GetSize(),
                                       wxST_NO_AUTORESIZE | BorderStyle(c.style));
        if (c.style & kNoPrefix)
            label->SetLabelText(text);
        else
            label->SetLabel(text);
        return label;
    }
    case ControlKind::Frame:
        return new wxWindow(parent, c.id, r.GetPosition(), r.GetSize(), BorderStyle(c.style));
    case ControlKind::EtchedLine:
        return new wxStaticLine(parent, c.id, r.GetPosition(), wxSize(r.width, -1));
    case ControlKind::Icon: {
        // The dialog icon size (a bitmap bundle would draw its smallest one).
        return new wxStaticBitmap(parent, c.id, GetApplicationIcons().GetIcon(wxSize(32, 32)), r.GetPosition(),
                                  r.GetSize());
    }
    case ControlKind::Edit: {
        // A digits-only box is the buddy of the up-down made next, which
        // filters typing in its own base.
        return new wxTextCtrl(parent, c.id, text, r.GetPosition(), r.GetSize(), TextStyle(c.style));
    }
    case ControlKind::Button:
    case ControlKind::DefButton: {
        auto* button = new wxButton(parent, c.id, text, r.GetPosition(), r.GetSize(), wxBU_EXACTFIT);
        if (c.kind == ControlKind::DefButton)
            button->SetDefault();
        return button;
    }
    case ControlKind::CheckBox:
        return new wxCheckBox(parent, c.id, text, r.GetPosition(), r.GetSize());
    case ControlKind::RadioPush:
        return new wxToggleButton(parent, c.id, text, r.GetPosition(), r.GetSize(), wxBU_EXACTFIT);
    case ControlKind::Tab:
        return new wxNotebook(parent, c.id, r.GetPosition(), r.GetSize());
    case ControlKind::UpDown:
        return CSpinButton::FromTemplate(parent, c, r); // the edit made just before is its buddy
    }
    return nullptr;
}

// Templates give a one-line label this height or less, in dialog units.
constexpr int kOneLineHeight = 10;
// The least room between a label and the control it names, in dialog units.
constexpr int kLabelGap = 2;

struct MadeControl
{
    const ControlTemplate* control;
    wxWindow* window;
};

// GTK's text runs wider than the templates' font: a one-line label whose
// text would be cut grows to its best width, and the control after it on
// its row (the one it names) gives up room from its left edge.
void FitLabels(wxWindow* parent, const std::vector<MadeControl>& made)
{
    const int gap = parent->ConvertDialogToPixels(wxSize(kLabelGap, 0)).x;
    for (auto it = made.begin(); it != made.end(); ++it) {
        if (it->control->kind != ControlKind::Static || it->control->h > kOneLineHeight)
            continue;
        const wxRect label = it->window->GetRect();
        const int best = it->window->GetBestSize().x;
        if (best <= label.width)
            continue;
        it->window->SetSize(best, label.height);
        const auto named = std::find_if(it + 1, made.end(), [&](const MadeControl& next) {
            const wxRect r = next.window->GetRect();
            return r.x > label.x && r.y <= label.GetBottom() && label.y <= r.GetBottom();
        });
        if (named == made.end())
            continue;
        const wxRect box = named->window->GetRect();
        const int left = label.x + best + gap;
        if (left > box.x)
            named->window->SetSize(left, box.y, std::max(1, box.GetRight() + 1 - left), box.height);
    }
}

} // namespace

wxFont GetDialogFont()
{
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    font.SetPointSize(9);
    return font;
}

wxRect TemplateRectToPixels(wxWindow* parent, const ControlTemplate& c)
{
    const wxPoint topLeft = parent->ConvertDialogToPixels(wxPoint(c.x, c.y));
    const wxPoint bottomRight = parent->ConvertDialogToPixels(wxPoint(c.x + c.w, c.y + c.h));
    return wxRect(topLeft, wxSize(bottomRight.x - topLeft.x, bottomRight.y - topLeft.y));
}

wxSize TemplateSizeToPixels(wxWindow* parent, const DialogTemplate& dialog)
{
    return parent->ConvertDialogToPixels(wxSize(dialog.w, dialog.h));
}

void BuildDialogControls(wxWindow* parent, const DialogTemplate& dialog, const ControlFactory& factory)
{
    std::vector<MadeControl> made;
    for (const ControlTemplate& c : dialog.controls) {
        const wxRect rect = TemplateRectToPixels(parent, c);
        wxWindow* window = factory ? factory(parent, c, rect) : nullptr;
        if (!window)
            window = CreateDefault(parent, c, rect);
        if (!window)
            continue;
        // Never shorter than GTK needs; centred on the template's rectangle
        // so rows of label, box and button stay aligned.
        // (Asking a tab control for its best size lays out its pages.)
        const bool keepHeight = c.kind == ControlKind::Frame || c.kind == ControlKind::Tab || (c.style & kMultiLine);
        const int best = keepHeight ? 0 : window->GetBestSize().y;
        if (best > rect.height) {
            window->SetSize(rect.x, rect.y - (best - rect.height) / 2, rect.width, best);
        }
        if (c.style & kHidden)
            window->Hide();
        if (c.style & kDisabled)
            window->Disable();
        made.push_back({&c, window});
    }
    FitLabels(parent, made);
}
