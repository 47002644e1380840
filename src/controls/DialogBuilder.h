// Turns a dialog template (res/Templates.h) into wx controls: rectangles in
// dialog units become pixels of the parent's font, and each control kind
// becomes its wx counterpart. GTK widgets need more height than the design's
// font: x, widths and gaps stay in dialog units, but no control is made
// shorter than its best height.
#pragma once

#include "res/Templates.h"

#include <wx/window.h>

#include <functional>

// Makes a control the builder does not know itself (the palette grid, the
// preview area, ...). Returns null to let the builder create the default one.
using ControlFactory = std::function<wxWindow*(wxWindow* parent, const ControlTemplate& control, const wxRect& rect)>;

// The template's rectangle in the parent's pixels (before the height rule).
wxRect TemplateRectToPixels(wxWindow* parent, const ControlTemplate& control);

// The template's client size in the parent's pixels.
wxSize TemplateSizeToPixels(wxWindow* parent, const DialogTemplate& dialog);

// Creates every control of the template as a child of parent, in template
// order (which is the tab order), with its id, text, styles and rectangle.
// Hidden and disabled controls are created hidden or disabled. A one-line
// label too narrow for its text is widened, and the control it names on
// its row is narrowed from the left to make room.
void BuildDialogControls(wxWindow* parent, const DialogTemplate& dialog, const ControlFactory& factory = {});

// The font every templated window uses (our stand-in for the templates'
// 8-point sans serif).
wxFont GetDialogFont();
