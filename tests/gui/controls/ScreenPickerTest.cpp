#include "Harness.h"
#include "controls/ScreenPickerDlg.h"
#include "res/ResourceIds.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/timer.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include <gdk/gdkx.h>
// Xlib last: its macros clash with other headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace VelloranTest;

namespace {

constexpr COLORREF kTarget = 0x563412; // red 0x12, green 0x34, blue 0x56

// Runs the picker modally; step is called every 50 ms inside its loop with
// the tick count until it returns true. A picker still open ten seconds
// later is ended with wxID_ABORT, so a lost key fails the test instead of
// hanging it.
int RunPicker(CScreenPickerDlg& picker, const std::function<bool(int)>& step)
{
    wxTimer driver;
    int ticks = 0;
    int doneAt = -1;
    driver.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        ++ticks;
        if (doneAt < 0 && step(ticks))
            doneAt = ticks;
        if (ticks > 200 || (doneAt >= 0 && ticks > doneAt + 40)) {
            driver.Stop();
            picker.EndModal(wxID_ABORT);
        }
    });
    driver.Start(50);
    CAllowModal allow;
    return picker.ShowModal();
}

class ScreenPicker : public ::testing::Test
{
protected:
    void SetUp() override { m_target = ShowColourTarget(wxRect(700, 100, 200, 200), wxColour(0x12, 0x34, 0x56)); }
    void TearDown() override
    {
        m_target->Destroy();
        Pump();
    }

    wxFrame* m_target = nullptr;
};

// A plain X window, placed in device pixels whatever GDK's scale, whose
// every pixel differs: pixel (dx, dy) of it has red dx, green dy, blue 0x80.
class Magnifier : public ::testing::Test
{
protected:
    inline static const wxRect kPattern{700, 100, 200, 200};

    static COLORREF PatternAt(wxPoint p) { return MakeColour(p.x - kPattern.x, p.y - kPattern.y, 0x80); }

    void SetUp() override
    {
        ASSERT_EQ(DefaultDepth(m_x, DefaultScreen(m_x)), 24) << "pixels are 0xRRGGBB";
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        m_window = XCreateWindow(m_x, DefaultRootWindow(m_x), kPattern.x, kPattern.y, kPattern.width, kPattern.height,
                                 0, CopyFromParent, InputOutput, CopyFromParent, CWOverrideRedirect, &attributes);
        XImage* image = XGetImage(m_x, DefaultRootWindow(m_x), 0, 0, kPattern.width, kPattern.height, AllPlanes,
                                  ZPixmap); // any image of the right size and format, then overwritten
        for (int y = 0; y < kPattern.height; ++y)
            for (int x = 0; x < kPattern.width; ++x)
                XPutPixel(image, x, y, unsigned(x) << 16 | unsigned(y) << 8 | 0x80);
        const Pixmap pixmap = XCreatePixmap(m_x, m_window, kPattern.width, kPattern.height, 24);
        XPutImage(m_x, pixmap, DefaultGC(m_x, DefaultScreen(m_x)), image, 0, 0, 0, 0, kPattern.width, kPattern.height);
        XDestroyImage(image);
        XSetWindowBackgroundPixmap(m_x, m_window, pixmap); // the server repaints it
        XFreePixmap(m_x, pixmap);
        XMapRaised(m_x, m_window);
        XSync(m_x, False);
    }
    void TearDown() override
    {
        XDestroyWindow(m_x, m_window);
        XSync(m_x, False);
    }

    wxPoint Pointer() const
    {
        Window root = 0, child = 0;
        int x = 0, y = 0, winX = 0, winY = 0;
        unsigned buttons = 0;
        XQueryPointer(m_x, DefaultRootWindow(m_x), &root, &child, &x, &y, &winX, &winY, &buttons);
        return {x, y};
    }
    void WarpPointer(wxPoint p) const
    {
        XWarpPointer(m_x, 0, DefaultRootWindow(m_x), 0, 0, 0, 0, p.x, p.y);
        XSync(m_x, False);
    }

    Display* m_x = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
    Window m_window = 0;
};

} // namespace

TEST_F(ScreenPicker, EnterTakesThePixelUnderThePointer)
{
    CScreenPickerDlg picker(nullptr);
    EXPECT_EQ(picker.GetSampledColour(), 0xFFFFFFu) << "white until the first sample";
    picker.m_rcPage = wxRect(100, 500, 301, 201);
    wxPoint opened;
    wxColour swatch;
    const int result = RunPicker(picker, [&](int tick) {
        if (tick == 1)
            opened = picker.GetPosition();
        if (picker.GetSampledColour() != kTarget)
            return false;
        swatch = PixelAt(picker.FindWindow(IDC_SWATCH), 10, 10);
        SaveScreenshot(&picker, "screen-picker");
        SendKeyTo(&picker, WXK_RETURN);
        return true;
    });
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(picker.GetSampledColour(), kTarget);
    EXPECT_EQ(swatch, wxColour(0x12, 0x34, 0x56));
    const wxSize size = picker.GetSize();
    EXPECT_EQ(opened, wxPoint(100 + 150 - size.x / 2, 500 + 100 - size.y / 2)) << "centred on the page";
}

TEST_F(ScreenPicker, FollowsChangingContentUnderAStillPointer)
{
    CScreenPickerDlg picker(nullptr);
    bool changed = false;
    const int result = RunPicker(picker, [&](int) {
        if (!changed && picker.GetSampledColour() == kTarget) {
            m_target->SetBackgroundColour(wxColour(0xAB, 0xCD, 0xEF));
            m_target->Refresh();
            changed = true;
        } else if (changed && picker.GetSampledColour() == 0xEFCDAB) {
            SendKeyTo(&picker, WXK_RETURN);
            return true;
        }
        return false;
    });
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(picker.GetSampledColour(), 0xEFCDABu);
}

TEST_F(ScreenPicker, EscapeCancelsAndF1DoesNothing)
{
    CScreenPickerDlg picker(nullptr);
    const int result = RunPicker(picker, [&](int tick) {
        if (tick == 2)
            SendKeyTo(&picker, WXK_F1);
        if (tick < 6)
            return false;
        EXPECT_TRUE(picker.IsModal()) << "F1 ends nothing";
        SendKeyTo(&picker, WXK_ESCAPE);
        return true;
    });
    EXPECT_EQ(result, wxID_CANCEL);
}

TEST_F(ScreenPicker, CloseBoxCancels)
{
    CScreenPickerDlg picker(nullptr);
    const int result = RunPicker(picker, [&](int tick) {
        if (tick < 3)
            return false;
        picker.Close();
        return true;
    });
    EXPECT_EQ(result, wxID_CANCEL);
}

TEST_F(Magnifier, ArrowsMoveThePointerByDevicePixelsAndEnterOrSpaceTakeItsPixel)
{
    struct Nudge
    {
        int key;
        int modifiers;
        wxPoint by;
    };
    const struct
    {
        const char* what;
        std::vector<Nudge> nudges;
        int pickKey;
    } cases[] = {
        {"right, shift+down, Enter", {{WXK_RIGHT, wxMOD_NONE, {1, 0}}, {WXK_DOWN, wxMOD_SHIFT, {0, 10}}}, WXK_RETURN},
        {"left, shift+up, Space", {{WXK_LEFT, wxMOD_NONE, {-1, 0}}, {WXK_UP, wxMOD_SHIFT, {0, -10}}}, WXK_SPACE},
    };
    const char* scaleVariable = std::getenv("GDK_SCALE");
    const int scale = scaleVariable ? std::atoi(scaleVariable) : 1;
    constexpr int kZoom = 8;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        wxPoint expected(kPattern.x + 100, kPattern.y + 100);
        WarpPointer(expected);
        CScreenPickerDlg picker(nullptr);
        picker.m_rcPage = wxRect(0, 0, 300, 300); // clear of the pattern at either scale
        wxWindow* magnifier = picker.FindWindow(IDC_MAGNIFIER);
        ASSERT_TRUE(magnifier);
        EXPECT_EQ(magnifier->GetContentScaleFactor(), scale);
        size_t next = 0;
        const int result = RunPicker(picker, [&](int) {
            // Wait until the pointer, the sample, the hex and the drawn
            // magnifier (its centre cell and the one right of it) agree.
            const COLORREF colour = PatternAt(expected);
            const wxImage shown = CaptureClient(magnifier);
            const auto cellAt = [&](int col) {
                const int x = (col * kZoom + kZoom / 2) * scale;
                const int y = (5 * kZoom + kZoom / 2) * scale;
                return MakeColour(shown.GetRed(x, y), shown.GetGreen(x, y), shown.GetBlue(x, y));
            };
            if (Pointer() != expected || picker.GetSampledColour() != colour ||
                picker.FindWindow(IDC_MAGNIFIER_HEX)->GetLabel() !=
                    wxString::Format("#%02X%02X%02X", RedOf(colour), GreenOf(colour), BlueOf(colour)) ||
                cellAt(5) != colour || cellAt(6) != PatternAt(expected + wxPoint(1, 0)))
                return false;
            if (next < c.nudges.size()) {
                SendKeyTo(&picker, c.nudges[next].key, c.nudges[next].modifiers);
                expected += c.nudges[next++].by;
                return false;
            }
            SaveScreenshot(&picker, scale == 1 ? "screen-picker-magnifier" : "screen-picker-magnifier-scale2");
            SendKeyTo(&picker, c.pickKey);
            return true;
        });
        EXPECT_EQ(result, wxID_OK) << "stuck after " << next << " nudges";
        EXPECT_EQ(picker.GetSampledColour(), PatternAt(expected));
        EXPECT_EQ(Pointer(), expected);
    }
}

TEST(ScreenSampler, NoSessionBusMeansNoPortal)
{
    wxSetEnv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/velloran-test-bus");
    COLORREF colour = 0x123456;
    EXPECT_EQ(PickColourWithPortal(&colour), PortalPick::Unavailable);
    EXPECT_EQ(colour, 0x123456u) << "no colour is handed back";
}
