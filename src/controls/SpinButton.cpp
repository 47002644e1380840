#include "controls/SpinButton.h"

#include <wx/dcclient.h>
#include <wx/renderer.h>
#include <wx/settings.h>

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>

namespace {

constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 50;

// The whole text must be one number in base (a "-" allowed, no prefix, no
// blanks).
std::optional<int> ParseInBase(const wxString& text, int base)
{
    const std::string bytes = text.utf8_string();
    int value = 0;
    const char* end = bytes.data() + bytes.size();
    const auto [ptr, ec] = std::from_chars(bytes.data(), end, value, base);
    if (bytes.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

void DrawArrow(wxDC& dc, const wxRect& rect, bool up, const wxColour& colour)
{
    const int s = std::max(2, (std::min(rect.width, rect.height) - 2) / 4);
    const int cx = rect.x + rect.width / 2;
    const int top = rect.y + (rect.height - s) / 2;
    const int bottom = top + s;
    const wxPoint points[3] = {
        {cx - s, up ? bottom : top},
        {cx + s, up ? bottom : top},
        {cx, up ? top : bottom},
    };
    dc.SetPen(wxPen(colour));
    dc.SetBrush(wxBrush(colour));
    dc.DrawPolygon(3, points);
}

} // namespace

CSpinButton::CSpinButton(wxWindow* parent, wxWindowID id, wxTextCtrl* buddy, int width)
    : m_pBuddy(buddy), m_timerRepeat(this)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE);

    const int w = width > 0 ? width : GetBestSize().x;
    const wxRect r = buddy->GetRect();
    buddy->SetSize(r.x, r.y, std::max(1, r.width - w), r.height);
    SetSize(r.x + r.width - w, r.y, w, r.height);
    buddy->ChangeValue(FormatPos(m_nPos));
    buddy->Bind(wxEVT_KEY_DOWN, &CSpinButton::OnBuddyKeyDown, this);
    buddy->Bind(wxEVT_CHAR, &CSpinButton::OnBuddyChar, this);

    Bind(wxEVT_PAINT, &CSpinButton::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CSpinButton::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &CSpinButton::OnLeftUp, this);
    Bind(wxEVT_MOTION, &CSpinButton::OnMotion, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CSpinButton::OnCaptureLost, this);
    Bind(wxEVT_TIMER, &CSpinButton::OnRepeatTimer, this, m_timerRepeat.GetId());
}

CSpinButton::~CSpinButton()
{
    if (m_pBuddy) {
        m_pBuddy->Unbind(wxEVT_KEY_DOWN, &CSpinButton::OnBuddyKeyDown, this);
        m_pBuddy->Unbind(wxEVT_CHAR, &CSpinButton::OnBuddyChar, this);
    }
}

wxWindow* CSpinButton::FromTemplate(wxWindow* parent, const ControlTemplate& control, const wxRect& rect)
{
    if (control.kind != ControlKind::UpDown || parent->GetChildren().empty())
        return nullptr;
    auto* buddy = dynamic_cast<wxTextCtrl*>(parent->GetChildren().GetLast()->GetData());
    if (!buddy)
        return nullptr;
    return new CSpinButton(parent, control.id, buddy, rect.width);
}

wxSize CSpinButton::DoGetBestSize() const
{
    // Small enough that the dialog builder never stretches it: the height
    // comes from the buddy.
    return FromDIP(wxSize(14, 16));
}

void CSpinButton::SetBase(int base)
{
    if ((base != 10 && base != 16) || base == m_nBase)
        return;
    const int pos = GetPos();
    m_nBase = base;
    if (m_pBuddy)
        m_pBuddy->ChangeValue(FormatPos(pos));
}

void CSpinButton::SetRange(int low, int high)
{
    m_nLow = std::min(low, high);
    m_nHigh = std::max(low, high);
    m_nPos = std::clamp(m_nPos, m_nLow, m_nHigh);
}

void CSpinButton::SetPos(int pos)
{
    m_nPos = std::clamp(pos, m_nLow, m_nHigh);
    if (m_pBuddy)
        m_pBuddy->SetValue(FormatPos(m_nPos));
}

int CSpinButton::GetPos(bool* error)
{
    const std::optional<int> value = m_pBuddy ? ParseInBase(m_pBuddy->GetValue(), m_nBase) : std::nullopt;
    const bool valid = value && *value >= m_nLow && *value <= m_nHigh;
    if (valid)
        m_nPos = *value;
    if (error)
        *error = !valid;
    return m_nPos;
}

int CSpinButton::GetUsedPos()
{
    bool error = false;
    const int pos = GetPos(&error);
    return error ? m_nHigh : pos;
}

wxString CSpinButton::FormatPos(int pos) const
{
    if (m_nBase == 16)
        return wxString::Format(pos < 0 ? "-%X" : "%X", unsigned(pos < 0 ? -int64_t(pos) : pos));
    return wxString::Format("%d", pos);
}

void CSpinButton::Step(int delta)
{
    const int current = GetUsedPos();
    const int next = std::clamp(current + delta, m_nLow, m_nHigh);
    if (next != current || (m_pBuddy && m_pBuddy->GetValue() != FormatPos(next)))
        SetPos(next);
}

wxRect CSpinButton::HalfRect(Half half) const
{
    const wxSize size = GetClientSize();
    const int upHeight = size.y / 2;
    if (half == Half::Up)
        return wxRect(0, 0, size.x, upHeight);
    return wxRect(0, upHeight, size.x, size.y - upHeight);
}

CSpinButton::Half CSpinButton::HalfAt(const wxPoint& point) const
{
    if (HalfRect(Half::Up).Contains(point))
        return Half::Up;
    if (HalfRect(Half::Down).Contains(point))
        return Half::Down;
    return Half::None;
}

void CSpinButton::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    const wxColour arrow = wxSystemSettings::GetColour(IsEnabled() ? wxSYS_COLOUR_BTNTEXT : wxSYS_COLOUR_GRAYTEXT);
    for (Half half : {Half::Up, Half::Down}) {
        const wxRect rect = HalfRect(half);
        int flags = IsEnabled() ? 0 : int(wxCONTROL_DISABLED);
        if (half == m_ePressed && m_bOverPressed)
            flags |= wxCONTROL_PRESSED;
        wxRendererNative::Get().DrawPushButton(this, dc, rect, flags);
        DrawArrow(dc, rect, half == Half::Up, arrow);
    }
}

void CSpinButton::OnLeftDown(wxMouseEvent& event)
{
    const Half half = HalfAt(event.GetPosition());
    if (half == Half::None || m_ePressed != Half::None)
        return;
    if (m_pBuddy)
        m_pBuddy->SetFocus();
    m_ePressed = half;
    m_bOverPressed = true;
    CaptureMouse();
    Refresh();
    Step(half == Half::Up ? 1 : -1);
    m_timerRepeat.StartOnce(kRepeatDelayMs);
}

void CSpinButton::OnLeftUp(wxMouseEvent&)
{
    if (m_ePressed == Half::None)
        return;
    if (HasCapture())
        ReleaseMouse();
    StopRepeat();
}

void CSpinButton::OnMotion(wxMouseEvent& event)
{
    if (m_ePressed == Half::None)
        return;
    const bool over = HalfAt(event.GetPosition()) == m_ePressed;
    if (over != m_bOverPressed) {
        m_bOverPressed = over;
        Refresh();
    }
}

void CSpinButton::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    StopRepeat();
}

void CSpinButton::StopRepeat()
{
    m_timerRepeat.Stop();
    m_ePressed = Half::None;
    m_bOverPressed = false;
    Refresh();
}

void CSpinButton::OnRepeatTimer(wxTimerEvent&)
{
    if (m_ePressed == Half::None || !IsEnabled()) {
        if (HasCapture())
            ReleaseMouse();
        StopRepeat();
        return;
    }
    if (m_bOverPressed)
        Step(m_ePressed == Half::Up ? 1 : -1);
    if (!m_timerRepeat.IsRunning())
        m_timerRepeat.Start(kRepeatIntervalMs);
}

void CSpinButton::OnBuddyKeyDown(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    if (IsEnabled() && (key == WXK_UP || key == WXK_NUMPAD_UP))
        Step(1);
    else if (IsEnabled() && (key == WXK_DOWN || key == WXK_NUMPAD_DOWN))
        Step(-1);
    else
        event.Skip();
}

void CSpinButton::OnBuddyChar(wxKeyEvent& event)
{
    // Editing keys, shortcuts and digits of the base pass; other characters
    // are dropped.
    const wxChar key = event.GetUnicodeKey();
    const bool digit =
        (key >= '0' && key <= '9') || (m_nBase == 16 && ((key >= 'a' && key <= 'f') || (key >= 'A' && key <= 'F')));
    if (key == WXK_NONE || key < WXK_SPACE || key == WXK_DELETE || digit || event.AltDown() || event.ControlDown())
        event.Skip();
}
