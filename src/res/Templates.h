// Dialog templates and menus as tables: what each window holds, with
// rectangles in dialog units. One builder (platform/DialogBuilder) turns a
// template into controls. Pure data: no window header here.
#pragma once

#include <cstdint>
#include <span>

enum class ControlKind
{
    Static,     // text label
    Frame,      // static without text (a frame, a swatch, a preview or grid area)
    EtchedLine, // horizontal etched separator
    Icon,       // the application icon
    Edit,       // single-line edit box
    Button,     // push button
    DefButton,  // default push button
    CheckBox,   // auto check box
    RadioPush,  // push-like radio button
    UpDown,     // up-down arrows attached to the edit before it
    Tab,        // tab control
};

// Style bits; what the design's templates say of each control.
enum ControlStyle : uint32_t
{
    kStyleNone = 0,
    kHidden = 1u << 0,
    kDisabled = 1u << 1,
    kTabStop = 1u << 2,
    kGroup = 1u << 3,
    kReadOnly = 1u << 4,
    kMultiLine = 1u << 5,
    kHScroll = 1u << 6,     // horizontal scroll bar
    kAutoHScroll = 1u << 7, // scrolls horizontally while typing
    kBorder = 1u << 8,
    kDigitsOnly = 1u << 9,
    kNotify = 1u << 10,
    kStaticEdge = 1u << 11, // thin sunken border
    kClientEdge = 1u << 12, // sunken edge
    kNoPrefix = 1u << 13,   // '&' shown as is
    kTransparent = 1u << 14,
    kWantReturn = 1u << 15, // Enter reaches the box, not the window
};

struct ControlTemplate
{
    int id; // -1 for controls without an id
    ControlKind kind;
    const char* text; // UTF-8
    int x, y, w, h;   // dialog units
    uint32_t style;
};

struct DialogTemplate
{
    int id;
    const char* caption; // UTF-8, may be empty
    int w, h;            // dialog units
    std::span<const ControlTemplate> controls;
};

// Every template of the program: 100, 102, 130, 132, 133, 134. Null for an
// unknown id.
const DialogTemplate* FindDialogTemplate(int id);

// The first control of the template with that id; null when there is none.
const ControlTemplate* FindControlTemplate(const DialogTemplate& dialog, int id);

struct MenuItemTemplate
{
    int id;            // 0 for a separator
    const char* label; // UTF-8
    bool checked;      // checked in the template
    bool checkable;
    const char* shortcut; // the key as wx names it ("Ctrl+O"); null for none
};

struct MenuTemplate
{
    const char* title; // UTF-8
    std::span<const MenuItemTemplate> items;
};

// Menu 131 (the menu bar: one entry per menu) and 136 (one popup).
std::span<const MenuTemplate> FindMenuTemplate(int id);
