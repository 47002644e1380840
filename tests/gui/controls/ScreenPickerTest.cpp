#include "Harness.h"
#include "controls/ScreenPickerDlg.h"
#include "res/ResourceIds.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/timer.h>

#include <functional>

using namespace VelloranTest;

namespace {

constexpr COLORREF kTarget = 0x563412; // red 0x12, green 0x34, blue 0x56

class ScreenPicker : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_target = ShowColourTarget(wxRect(700, 100, 200, 200), wxColour(0x12, 0x34, 0x56));
    }
    void TearDown() override
    {
        m_target->Destroy();
        Pump();
    }

    // Runs the picker modally; step is called every 50 ms inside its loop
    // with the tick count until it returns true. A picker still open two
    // seconds later is ended with wxID_ABORT, so a lost key fails the test
    // instead of hanging it.
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

    wxFrame* m_target = nullptr;
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

TEST(ScreenSampler, NoSessionBusMeansNoPortal)
{
    wxSetEnv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/velloran-test-bus");
    COLORREF colour = 0x123456;
    EXPECT_EQ(PickColourWithPortal(&colour), PortalPick::Unavailable);
    EXPECT_EQ(colour, 0x123456u) << "no colour is handed back";
}
