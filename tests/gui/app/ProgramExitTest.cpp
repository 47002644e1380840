// The built program, closed as a window manager's close button closes it:
// the process ends without tearing its windows down, so what the close
// stores must be on disk and the exit status clean.
#include "Harness.h"
#include "ScratchFiles.h"
#include "platform/FileDialogs.h"
#include "platform/ProcessEnd.h"
#include "res/ResourceIds.h"
#include "store/Settings.h"
#include "store/SettingsStore.h"

#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include <gdk/gdkx.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

extern char** environ;

using namespace VelloranTest;

namespace {

// The viewable top-level window whose _NET_WM_PID is pid, or 0.
Window FindWindowOf(Display* x, pid_t pid)
{
    const Atom pidAtom = XInternAtom(x, "_NET_WM_PID", False);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (!XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count))
        return 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        Atom type = None;
        int format = 0;
        unsigned long items = 0, left = 0;
        unsigned char* data = nullptr;
        if (XGetWindowAttributes(x, children[i], &attributes) && attributes.map_state == IsViewable &&
            XGetWindowProperty(x, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &left,
                               &data) == Success &&
            data && items == 1 && format == 32 && pid_t(*reinterpret_cast<unsigned long*>(data)) == pid)
            found = children[i];
        if (data)
            XFree(data);
    }
    XFree(children);
    return found;
}

} // namespace

TEST(ProgramExit, CloseStoresTheWindowGroupAndEndsCleanly)
{
    CScratchDir scratch;
    std::vector<std::string> env;
    for (char** v = environ; *v; ++v) {
        const std::string entry = *v;
        if (entry.rfind("HOME=", 0) != 0 && entry.rfind("XDG_", 0) != 0)
            env.push_back(entry);
    }
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        env.push_back(std::string(name) + "=" + scratch.Path(name));
    std::vector<char*> envp;
    for (std::string& entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    char program[] = VELLORAN_PROGRAM;
    char* argv[] = {program, nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, program, nullptr, nullptr, argv, envp.data()), 0);

    Display* x = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
    Window window = 0;
    EXPECT_TRUE(WaitFor([&] { return (window = FindWindowOf(x, pid)) != 0; }, 30000)) << "no window shown";
    if (window) {
        XEvent close{};
        close.xclient.type = ClientMessage;
        close.xclient.window = window;
        close.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
        close.xclient.format = 32;
        close.xclient.data.l[0] = long(XInternAtom(x, "WM_DELETE_WINDOW", False));
        close.xclient.data.l[1] = CurrentTime;
        XSendEvent(x, window, False, NoEventMask, &close);
        XFlush(x);
    } else {
        kill(pid, SIGTERM);
    }
    int status = -1;
    EXPECT_TRUE(WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 30000)) << "still running";
    if (status == -1) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    const WindowOptions stored =
        LoadWindowGroup(CSettingsStore(scratch.Path("XDG_CONFIG_HOME") + "/velloran/settings.reg"));
    EXPECT_TRUE(stored.left && stored.top) << "the window's place is stored at close";
}

TEST(ProgramExit, AFileChooserLeavesTheEndToGtk)
{
    // Its recent files list is written only by GTK's own exit.
    CFileDialog chooser(nullptr, IDS_TITLE_IMPORT, IDS_FILTER_HTML, wxFD_OPEN);
    EXPECT_FALSE(CanEndWithoutTeardown());
}
