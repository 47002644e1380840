#include "Harness.h"

#include "ScratchFiles.h"
#include "ui/MenuIds.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/filename.h>
#include <wx/init.h>
#include <wx/menu.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/stopwatch.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <gdk/gdk.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

namespace VelloranTest {
namespace {

int g_allowModal = 0;

class CUnexpectedModalGuard : public wxModalDialogHook
{
protected:
    int Enter(wxDialog* dialog) override
    {
        if (g_allowModal > 0)
            return wxID_NONE;
        wxString what = dialog->GetTitle();
        if (auto* box = dynamic_cast<wxMessageDialog*>(dialog))
            what += " / " + box->GetMessage();
        ADD_FAILURE() << "unexpected modal dialog: " << what.utf8_string();
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

class CTestApp : public wxApp
{
public:
    bool OnInit() override
    {
        wxInitAllImageHandlers();
        return true;
    }
};

class CWxEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        // Settings go to a fresh folder of this run, never the user's own.
        m_config = std::make_unique<CScratchDir>();
        setenv("XDG_CONFIG_HOME", m_config->Folder().c_str(), 1);

        wxApp::SetInstance(new CTestApp);
        static int argc = 1;
        static char name[] = "velloran-gui-tests";
        static char* argv[] = {name, nullptr};
        ASSERT_TRUE(wxEntryStart(argc, argv)) << "no X display? Run the GUI tests under xvfb-run";
        ASSERT_TRUE(wxTheApp->CallOnInit());
        // wx assertions (failed expectations of wxTEST_DIALOG among them)
        // become test failures instead of dialogs.
        wxSetAssertHandler(
            [](const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg) {
                ADD_FAILURE_AT(file.utf8_str(), line) << "wx assertion in " << func.utf8_string() << ": "
                                                      << cond.utf8_string() << " " << msg.utf8_string();
            });
        m_guard.Register();
    }
    void TearDown() override
    {
        m_guard.Unregister();
        for (wxWindow* w : wxTopLevelWindows)
            w->Destroy();
        Pump();
        wxEntryCleanup();
        m_config.reset();
    }

private:
    CUnexpectedModalGuard m_guard;
    std::unique_ptr<CScratchDir> m_config;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new CWxEnvironment);

} // namespace

CAllowModal::CAllowModal()
{
    ++g_allowModal;
}
CAllowModal::~CAllowModal()
{
    --g_allowModal;
}

wxFrame* ShowColourTarget(const wxRect& rect, const wxColour& colour)
{
    auto* target = new wxFrame(nullptr, wxID_ANY, "target", rect.GetPosition(), rect.GetSize(), wxBORDER_NONE);
    target->SetBackgroundColour(colour);
    target->Show();
    EXPECT_TRUE(WaitFor([&] { return target->IsShownOnScreen(); }));
    Pump(100);
    wxUIActionSimulator().MouseMove(target->GetScreenRect().GetPosition() + wxPoint(rect.width / 2, rect.height / 2));
    Pump(50);
    return target;
}

void ClickSpinArrow(wxWindow* spin, bool up)
{
    const wxSize size = spin->GetClientSize();
    wxUIActionSimulator sim;
    sim.MouseMove(spin->ClientToScreen(wxPoint(size.x / 2, up ? size.y / 4 : size.y * 3 / 4)));
    Pump(20);
    sim.MouseClick();
    Pump(50);
}

void SendKeyTo(wxWindow* window, int key, int modifiers)
{
    window->Raise();
    Pump(20);
    wxUIActionSimulator().Char(key, modifiers);
}

void SendMenuCommand(wxWindow* window, int commandId)
{
    const int id = ToWxMenuId(commandId);
    auto* frame = dynamic_cast<wxFrame*>(window);
    wxMenuItem* item = frame ? frame->GetMenuBar()->FindItem(id) : nullptr;
    if (item && item->IsCheckable())
        item->Check(!item->IsChecked());
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(window);
    if (item && item->IsCheckable())
        event.SetInt(item->IsChecked());
    window->GetEventHandler()->ProcessEvent(event);
    Pump();
}

void Pump(int ms)
{
    wxStopWatch watch;
    do {
        wxTheApp->ProcessPendingEvents();
        while (wxTheApp->Pending())
            wxTheApp->Dispatch();
        wxTheApp->ProcessIdle();
        wxYield();
        if (ms > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (watch.Time() < ms);
}

bool WaitFor(const std::function<bool()>& cond, int timeoutMs)
{
    wxStopWatch watch;
    while (!cond()) {
        if (watch.Time() > timeoutMs)
            return cond();
        Pump(10);
    }
    return true;
}

namespace {

// Reads a rectangle of the screen straight from the X server (a wxScreenDC
// blit may return a stale picture on GTK3).
wxImage CaptureScreen(const wxRect& rect)
{
    GdkPixbuf* pixbuf =
        gdk_pixbuf_get_from_window(gdk_get_default_root_window(), rect.x, rect.y, rect.width, rect.height);
    if (!pixbuf)
        return wxImage();
    const int width = gdk_pixbuf_get_width(pixbuf);
    const int height = gdk_pixbuf_get_height(pixbuf);
    wxImage image(width, height);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const guchar* p = pixels + y * stride + x * channels;
            image.SetRGB(x, y, p[0], p[1], p[2]);
        }
    g_object_unref(pixbuf);
    return image;
}

} // namespace

wxImage CaptureClient(wxWindow* window)
{
    Pump(20);
    return CaptureScreen(wxRect(window->ClientToScreen(wxPoint(0, 0)), window->GetClientSize()));
}

wxColour PixelAt(wxWindow* window, int x, int y)
{
    const wxImage image = CaptureClient(window);
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

void SaveScreenshot(wxWindow* window, const std::string& name)
{
    Pump(50);
    wxFileName::Mkdir("shots", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    CaptureScreen(window->GetScreenRect()).SaveFile("shots/" + name + ".png", wxBITMAP_TYPE_PNG);
}

} // namespace VelloranTest
