// winprobe: runs one GUI program on the current X display and reports, as one
// line of key=value pairs:
//   map_ms    exec to the map of its main window (a top-level whose title holds
//             the given text and that is at least the given width),
//   paint_ms  exec to the first damage (drawing) reported on that window,
//   rss_kb, pss_kb   memory after it has idled for the given time,
//   idle_cpu_ms, idle_switches   CPU time and context switches of all its
//             threads over the second half of that idle time,
//   close_ms  from WM_DELETE_WINDOW (what a window manager's close button
//             sends) to the end of the process,
//   status    ok, or what went wrong.
// Everything is driven by events (X events, SIGCHLD through a signalfd); the
// probe takes no CPU while it waits, so it does not slow what it times.
//
// Usage: winprobe TITLE MIN_WIDTH IDLE_SECONDS program [arguments...]
// WINPROBE_START_TIMEOUT (seconds, default 30) bounds the wait for the first
// paint, for slow runs such as under valgrind.
// Build: cc -O2 -o winprobe winprobe.c -lX11 -lXdamage
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

enum
{
    kStartTimeoutS = 30,
    kCloseTimeoutS = 10
};

static Display* g_display;
static int g_damageBase;
static pid_t g_child;
static int g_childFd; // signalfd for SIGCHLD
static int g_exited;

static double Now(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (double)ts.tv_sec + (double)ts.tv_nsec / 1e9;
}

// Windows vanish under us all the time; their errors mean nothing here.
static int IgnoreXError(Display* display, XErrorEvent* error)
{
    (void)display;
    (void)error;
    return 0;
}

static int HasTitle(Window window, const char* text)
{
    int found = 0;
    XTextProperty property;
    if (XGetWMName(g_display, window, &property) && property.value) {
        found = strstr((const char*)property.value, text) != NULL;
        XFree(property.value);
    }
    return found;
}

static int WidthOf(Window window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(g_display, window, &attributes) ? attributes.width : 0;
}

static void ReapChild(void)
{
    struct signalfd_siginfo info;
    while (read(g_childFd, &info, sizeof info) == (ssize_t)sizeof info) {
    }
    if (!g_exited && waitpid(g_child, NULL, WNOHANG) == g_child)
        g_exited = 1;
}

// Sleeps until the X connection or the child has news, or the deadline.
static void WaitForNews(double deadline)
{
    const double left = deadline - Now();
    if (left <= 0 || XPending(g_display))
        return;
    struct pollfd fds[2] = {{ConnectionNumber(g_display), POLLIN, 0}, {g_childFd, POLLIN, 0}};
    poll(fds, 2, (int)(left * 1000) + 1);
    if (fds[1].revents)
        ReapChild();
}

// Handles one X event; returns the window once it is mapped, then sets
// *painted at its first damage.
static void HandleEvent(const XEvent* event, const char* title, int minWidth, Window* main, double* mapped,
                        double* painted)
{
    const Window root = DefaultRootWindow(g_display);
    if (event->type == CreateNotify && event->xcreatewindow.parent == root) {
        XDamageCreate(g_display, event->xcreatewindow.window, XDamageReportNonEmpty);
    } else if (event->type == MapNotify && !*main && event->xmap.event == root) {
        if (HasTitle(event->xmap.window, title) && WidthOf(event->xmap.window) >= minWidth) {
            *main = event->xmap.window;
            *mapped = Now();
        }
    } else if (event->type == g_damageBase + XDamageNotify) {
        const XDamageNotifyEvent* damage = (const XDamageNotifyEvent*)event;
        XDamageSubtract(g_display, damage->damage, None, None);
        if (*main && damage->drawable == *main && *painted < 0)
            *painted = Now();
    }
}

// Summed CPU time (ns) and context switches of every thread of the process.
static void ThreadTotals(pid_t pid, double* cpuNs, long* switches)
{
    *cpuNs = 0;
    *switches = 0;
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/task", (int)pid);
    DIR* tasks = opendir(path);
    if (!tasks)
        return;
    for (struct dirent* entry; (entry = readdir(tasks));) {
        if (entry->d_name[0] == '.')
            continue;
        char file[384];
        snprintf(file, sizeof file, "%s/%s/schedstat", path, entry->d_name);
        FILE* stat = fopen(file, "r");
        if (!stat)
            continue;
        double run = 0, wait = 0;
        long slices = 0;
        if (fscanf(stat, "%lf %lf %ld", &run, &wait, &slices) == 3) {
            *cpuNs += run;
            *switches += slices;
        }
        fclose(stat);
    }
    closedir(tasks);
}

static long MemoryField(pid_t pid, const char* name)
{
    char path[64], line[256];
    snprintf(path, sizeof path, "/proc/%d/smaps_rollup", (int)pid);
    FILE* file = fopen(path, "r");
    long value = -1;
    if (!file)
        return value;
    const size_t length = strlen(name);
    while (fgets(line, sizeof line, file)) {
        if (strncmp(line, name, length) == 0 && line[length] == ':') {
            value = atol(line + length + 1);
            break;
        }
    }
    fclose(file);
    return value;
}

// Lets X events flow (the program's later paints) until the deadline.
static void Idle(double deadline)
{
    while (Now() < deadline && !g_exited) {
        while (XPending(g_display)) {
            XEvent event;
            XNextEvent(g_display, &event);
            if (event.type == g_damageBase + XDamageNotify)
                XDamageSubtract(g_display, ((XDamageNotifyEvent*)&event)->damage, None, None);
        }
        WaitForNews(deadline);
    }
}

static void SendClose(Window window)
{
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(g_display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(g_display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(g_display, window, False, NoEventMask, &event);
    XFlush(g_display);
}

static int Finish(const char* status)
{
    if (!g_exited) {
        kill(g_child, SIGKILL);
        waitpid(g_child, NULL, 0);
    }
    printf("status=%s\n", status);
    return strcmp(status, "ok") == 0 ? 0 : 1;
}

int main(int argc, char** argv)
{
    if (argc < 5) {
        fprintf(stderr, "usage: %s TITLE MIN_WIDTH IDLE_SECONDS program [arguments...]\n", argv[0]);
        return 2;
    }
    const char* title = argv[1];
    const int minWidth = atoi(argv[2]);
    const double idleSeconds = atof(argv[3]);

    g_display = XOpenDisplay(NULL);
    int damageError;
    if (!g_display || !XDamageQueryExtension(g_display, &g_damageBase, &damageError)) {
        fprintf(stderr, "winprobe: no X display with the DAMAGE extension\n");
        return 2;
    }
    XSetErrorHandler(IgnoreXError);
    XSelectInput(g_display, DefaultRootWindow(g_display), SubstructureNotifyMask);
    XSync(g_display, False);

    sigset_t childSignal;
    sigemptyset(&childSignal);
    sigaddset(&childSignal, SIGCHLD);
    sigprocmask(SIG_BLOCK, &childSignal, NULL);
    g_childFd = signalfd(-1, &childSignal, SFD_NONBLOCK | SFD_CLOEXEC);

    const double start = Now();
    g_child = fork();
    if (g_child == 0) {
        sigprocmask(SIG_UNBLOCK, &childSignal, NULL);
        close(ConnectionNumber(g_display));
        // The program's own output would mix with the report.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[4], argv + 4);
        _exit(127);
    }

    Window main = 0;
    double mapped = -1, painted = -1;
    const char* startTimeout = getenv("WINPROBE_START_TIMEOUT");
    const double startDeadline = start + (startTimeout ? atof(startTimeout) : kStartTimeoutS);
    while (painted < 0 && !g_exited && Now() < startDeadline) {
        while (XPending(g_display) && painted < 0) {
            XEvent event;
            XNextEvent(g_display, &event);
            HandleEvent(&event, title, minWidth, &main, &mapped, &painted);
        }
        if (painted < 0)
            WaitForNews(startDeadline);
    }
    if (painted < 0)
        return Finish(g_exited ? "exited-before-paint" : "no-paint");
    printf("map_ms=%.1f paint_ms=%.1f ", (mapped - start) * 1e3, (painted - start) * 1e3);

    const double idleEnd = painted + idleSeconds;
    Idle(painted + idleSeconds / 2);
    double cpuBefore, cpuAfter;
    long switchesBefore, switchesAfter;
    ThreadTotals(g_child, &cpuBefore, &switchesBefore);
    Idle(idleEnd);
    ThreadTotals(g_child, &cpuAfter, &switchesAfter);
    if (g_exited)
        return Finish("exited-while-idle");
    printf("rss_kb=%ld pss_kb=%ld idle_cpu_ms=%.2f idle_switches=%ld ", MemoryField(g_child, "Rss"),
           MemoryField(g_child, "Pss"), (cpuAfter - cpuBefore) / 1e6, switchesAfter - switchesBefore);

    const double closing = Now();
    SendClose(main);
    const double closeDeadline = closing + kCloseTimeoutS;
    while (!g_exited && Now() < closeDeadline)
        Idle(closeDeadline);
    if (!g_exited)
        return Finish("no-exit-on-close");
    printf("close_ms=%.1f ", (Now() - closing) * 1e3);
    return Finish("ok");
}
