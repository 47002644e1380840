#include "platform/ScreenSampler.h"

#include <wx/evtloop.h>
#include <wx/utils.h>

#include <algorithm>
#include <cmath>
#include <string>

#include <gdk/gdk.h>
#include <gdk/gdkx.h>
#include <gio/gio.h>
// Xlib last: its macros (None, Status, Bool...) clash with other headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

CScreenSampler::CScreenSampler()
{
    GdkDisplay* display = gdk_display_get_default();
    if (display && GDK_IS_X11_DISPLAY(display))
        m_pDisplay = display;
}

bool CScreenSampler::CanReadPixels()
{
    GdkDisplay* display = gdk_display_get_default();
    return display && GDK_IS_X11_DISPLAY(display) && !wxGetEnv("WAYLAND_DISPLAY", nullptr);
}

// Xlib rather than wxScreenDC: on GTK3 its GetPixel keeps answering with
// what the screen showed earlier, and gives black instead of failing off
// the screen. Only the square is read, clipped to the screen: XGetImage
// fails on a rectangle that leaves it.
std::optional<ScreenPatch> CScreenSampler::SampleAroundPointer() const
{
    if (!m_pDisplay)
        return std::nullopt;
    Display* x = GDK_DISPLAY_XDISPLAY(m_pDisplay);
    const Window root = DefaultRootWindow(x);
    Window pointerRoot = 0;
    Window child = 0;
    ScreenPatch patch;
    int winX = 0, winY = 0;
    unsigned int buttons = 0;
    if (!XQueryPointer(x, root, &pointerRoot, &child, &patch.x, &patch.y, &winX, &winY, &buttons))
        return std::nullopt; // the pointer is on another screen

    constexpr int r = ScreenPatch::kRadius;
    const int left = std::max(patch.x - r, 0);
    const int top = std::max(patch.y - r, 0);
    const int right = std::min(patch.x + r + 1, DisplayWidth(x, DefaultScreen(x)));
    const int bottom = std::min(patch.y + r + 1, DisplayHeight(x, DefaultScreen(x)));
    if (left >= right || top >= bottom)
        return std::nullopt;

    gdk_x11_display_error_trap_push(m_pDisplay);
    XImage* image = XGetImage(x, root, left, top, unsigned(right - left), unsigned(bottom - top), AllPlanes, ZPixmap);
    std::array<XColor, ScreenPatch::kSide * ScreenPatch::kSide> colours{};
    int count = 0;
    if (image) {
        for (int py = top; py < bottom; ++py)
            for (int px = left; px < right; ++px)
                colours[size_t(count++)].pixel = XGetPixel(image, px - left, py - top);
        XDestroyImage(image);
        XQueryColors(x, DefaultColormap(x, DefaultScreen(x)), colours.data(), count);
    }
    const bool failed = gdk_x11_display_error_trap_pop(m_pDisplay) != 0;
    if (!image || failed)
        return std::nullopt;

    patch.pixels.fill(ScreenPatch::kOffScreen);
    const XColor* colour = colours.data();
    for (int py = top; py < bottom; ++py)
        for (int px = left; px < right; ++px, ++colour)
            patch.pixels[size_t((py - patch.y + r) * ScreenPatch::kSide + (px - patch.x + r))] =
                MakeColour(colour->red >> 8, colour->green >> 8, colour->blue >> 8);
    return patch;
}

void CScreenSampler::MovePointer(int dx, int dy) const
{
    if (!m_pDisplay)
        return;
    Display* x = GDK_DISPLAY_XDISPLAY(m_pDisplay);
    XWarpPointer(x, 0, 0, 0, 0, 0, 0, dx, dy); // relative to where it is
    XFlush(x);
}

namespace {

constexpr const char* kPortalService = "org.freedesktop.portal.Desktop";

struct PortalWait
{
    wxGUIEventLoop loop;
    bool answered = false;
    guint32 response = 2;
    std::optional<COLORREF> colour;
};

uint8_t ToByte(double component)
{
    return uint8_t(std::lround(std::clamp(component, 0.0, 1.0) * 255));
}

void OnPortalResponse(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GVariant* parameters,
                      gpointer data)
{
    auto* wait = static_cast<PortalWait*>(data);
    GVariant* results = nullptr;
    g_variant_get(parameters, "(u@a{sv})", &wait->response, &results);
    double red = 0, green = 0, blue = 0;
    if (wait->response == 0 && g_variant_lookup(results, "color", "(ddd)", &red, &green, &blue))
        wait->colour = MakeColour(ToByte(red), ToByte(green), ToByte(blue));
    g_variant_unref(results);
    wait->answered = true;
    if (wait->loop.IsRunning())
        wait->loop.Exit();
}

guint ListenForResponse(GDBusConnection* bus, const char* path, PortalWait* wait)
{
    return g_dbus_connection_signal_subscribe(bus, kPortalService, "org.freedesktop.portal.Request", "Response", path,
                                              nullptr, G_DBUS_SIGNAL_FLAGS_NONE, OnPortalResponse, wait, nullptr);
}

} // namespace

PortalPick PickColourWithPortal(COLORREF* colour)
{
    GError* error = nullptr;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!bus) {
        g_clear_error(&error);
        return PortalPick::Unavailable;
    }

    // The request's path follows from our bus name and a token of our
    // choice, so we listen on it before asking and cannot miss the answer.
    static unsigned s_nRequests = 0;
    const std::string token = "velloran" + std::to_string(++s_nRequests);
    std::string sender = g_dbus_connection_get_unique_name(bus) + 1; // without the leading ':'
    std::replace(sender.begin(), sender.end(), '.', '_');
    const std::string path = "/org/freedesktop/portal/desktop/request/" + sender + "/" + token;

    PortalWait wait;
    guint subscription = ListenForResponse(bus, path.c_str(), &wait);
    GVariantBuilder options;
    g_variant_builder_init(&options, G_VARIANT_TYPE_VARDICT);
    g_variant_builder_add(&options, "{sv}", "handle_token", g_variant_new_string(token.c_str()));
    GVariant* reply = g_dbus_connection_call_sync(
        bus, kPortalService, "/org/freedesktop/portal/desktop", "org.freedesktop.portal.Screenshot", "PickColor",
        g_variant_new("(sa{sv})", "", &options), G_VARIANT_TYPE("(o)"), G_DBUS_CALL_FLAGS_NONE, -1, nullptr, &error);
    if (reply) {
        const gchar* handle = nullptr;
        g_variant_get(reply, "(&o)", &handle);
        if (path != handle) { // older portals choose the path themselves
            g_dbus_connection_signal_unsubscribe(bus, subscription);
            subscription = ListenForResponse(bus, handle, &wait);
        }
        g_variant_unref(reply);
        if (!wait.answered) {
            wxWindowDisabler disabler;
            wait.loop.Run();
        }
    }
    g_clear_error(&error);
    g_dbus_connection_signal_unsubscribe(bus, subscription);
    g_object_unref(bus);

    if (wait.colour) {
        *colour = *wait.colour;
        return PortalPick::Picked;
    }
    return wait.answered && wait.response == 1 ? PortalPick::Cancelled : PortalPick::Unavailable;
}
