// Reading the colour of a screen pixel. On X11 a program reads any pixel
// itself, so the eyedropper polls the small square around the pointer that
// its magnifier shows, in the X server's (device) pixels. Wayland lets
// no program read the screen: there the only way is the desktop's own
// colour picker, reached through the portal org.freedesktop.portal.Screenshot.
#pragma once

#include "model/Scheme.h"

#include <array>
#include <optional>

struct _GdkDisplay;

// The pixels around the pointer, read in one request.
struct ScreenPatch
{
    static constexpr int kRadius = 5;
    static constexpr int kSide = 2 * kRadius + 1;
    // Stands for a pixel beyond the screen's edge; no screen colour has a
    // high byte.
    static constexpr COLORREF kOffScreen = 0xFFFFFFFFu;

    int x = 0; // the pointer, in device pixels of the root window
    int y = 0;
    std::array<COLORREF, kSide * kSide> pixels{}; // row by row

    COLORREF At(int col, int row) const { return pixels[row * kSide + col]; }
    COLORREF Centre() const { return At(kRadius, kRadius); }

    friend bool operator==(const ScreenPatch&, const ScreenPatch&) = default;
};

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

    // The pixels around the pointer, the one under it in the centre;
    // nothing when the read failed (the pointer on another screen, or a
    // display that cannot be read).
    std::optional<ScreenPatch> SampleAroundPointer() const;

    // Moves the pointer by device pixels, whatever the desktop's scale.
    void MovePointer(int dx, int dy) const;

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
