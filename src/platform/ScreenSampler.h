// Reading the colour of a screen pixel. On X11 a program reads any pixel
// itself, so the eyedropper polls the one under the pointer. Wayland lets
// no program read the screen: there the only way is the desktop's own
// colour picker, reached through the portal org.freedesktop.portal.Screenshot.
#pragma once

#include "model/Scheme.h"

#include <optional>

struct _GdkDisplay;

class CScreenSampler
{
public:
    // Opens the sampling on the default display; on a display that cannot
    // be read every sample fails.
    CScreenSampler();

    // False where pixels can only be had through PickColourWithPortal: a
    // Wayland display, or X11 running inside a Wayland session (whose root
    // window does not show the Wayland windows).
    static bool CanReadPixels();

    // The pixel under the pointer; nothing when the read failed (the
    // pointer on another screen, or a display that cannot be read).
    std::optional<COLORREF> SampleAtPointer() const;

private:
    _GdkDisplay* m_pDisplay = nullptr; // GDK's display when it is an X11 one
};

enum class PortalPick
{
    Picked,
    Cancelled,   // the user dismissed the desktop's picker
    Unavailable, // no session bus, no portal, or the portal could not pick
};

// Runs the desktop's colour picker and waits for its answer, keeping this
// program's windows painted but disabled meanwhile. Sets *colour only when
// the result is Picked.
PortalPick PickColourWithPortal(COLORREF* colour);
