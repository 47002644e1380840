#include "platform/ClipboardOwner.h"

#include <gdk/gdk.h>
#include <gdk/gdkx.h>

bool OwnsClipboard()
{
    GdkDisplay* display = gdk_display_get_default();
    if (display == nullptr || !GDK_IS_X11_DISPLAY(display))
        return false;
    Display* xdisplay = gdk_x11_display_get_xdisplay(display);
    const Window owner = XGetSelectionOwner(xdisplay, XInternAtom(xdisplay, "CLIPBOARD", False));
    // GDK also knows other programs' windows it has been told about, as
    // foreign ones.
    GdkWindow* window = owner != None ? gdk_x11_window_lookup_for_display(display, owner) : nullptr;
    return window != nullptr && gdk_window_get_window_type(window) != GDK_WINDOW_FOREIGN;
}
