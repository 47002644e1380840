// The cost of one UpdateBodyCode (preview render, tag, body code box,
// contrast line) in a real main window, next to references measured in the
// same run: drawing the preview's fill alone and setting the box's text
// alone. And the eyedropper with a still pointer: one tick's read of the
// square around the pointer against the single-pixel read it replaced, and a
// second of the open picker. Run under an X display (xvfb-run); see
// docs/PERFORMANCE.md.
#include "app/BodyTagDlg.h"
#include "controls/ScreenPickerDlg.h"
#include "platform/ScreenSampler.h"

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/textctrl.h>

#include <wx/timer.h>

#include <cstdlib>
#include <ctime>

#include <gdk/gdkx.h>
// Xlib last: its macros clash with other headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

CBodyTagDlg* g_dlg = nullptr;

void Pump()
{
    while (wxTheApp->Pending())
        wxTheApp->Dispatch();
    wxTheApp->ProcessPendingEvents();
    wxTheApp->ProcessIdle();
}

// A change that reaches both the preview and the tag every time.
void BM_UpdateBodyCode(benchmark::State& state)
{
    uint32_t colour = 0;
    for (auto _ : state) {
        g_dlg->GetScheme().bgcolor = (colour++ & 0xFFFFFF);
        g_dlg->UpdateBodyCode();
    }
    Pump();
}
BENCHMARK(BM_UpdateBodyCode);

// The worst case for the contrast line: black and white backgrounds in turn,
// so its text and colour change every time.
void BM_UpdateBodyCodeNewContrast(benchmark::State& state)
{
    uint32_t n = 0;
    for (auto _ : state) {
        g_dlg->GetScheme().bgcolor = (n++ & 1) ? 0x00FFFFFF : 0;
        g_dlg->UpdateBodyCode();
    }
    Pump();
}
BENCHMARK(BM_UpdateBodyCodeNewContrast);

// Reference: one flat fill of a bitmap the preview's size.
void BM_FillPreviewSizedBitmap(benchmark::State& state)
{
    const wxSize size = g_dlg->GetPreview()->GetClientSize();
    wxBitmap bitmap(size.x, size.y);
    uint8_t shade = 0;
    for (auto _ : state) {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(wxBrush(wxColour(shade, shade, shade)));
        dc.Clear();
        ++shade;
    }
}
BENCHMARK(BM_FillPreviewSizedBitmap);

// Reference: rewriting the body code box with a tag of the usual length.
void BM_SetBoxText(benchmark::State& state)
{
    wxTextCtrl* box = g_dlg->GetBodyCodeBox();
    uint32_t n = 0;
    for (auto _ : state)
        box->SetValue(wxString::Format("<body bgcolor=\"#%06X\" text=\"#000000\">", n++ & 0xFFFFFF));
    Pump();
}
BENCHMARK(BM_SetBoxText);

// One tick of the picker with the pointer still: the read, and the
// comparison that then skips every redraw.
void BM_PickerStillTick(benchmark::State& state)
{
    const CScreenSampler sampler;
    std::optional<ScreenPatch> last = sampler.SampleAroundPointer();
    for (auto _ : state) {
        const std::optional<ScreenPatch> patch = sampler.SampleAroundPointer();
        benchmark::DoNotOptimize(patch == last);
    }
}
BENCHMARK(BM_PickerStillTick);

// Reference: the picker's tick before the magnifier, one pixel under the
// pointer (pointer query, 1x1 image, colour query).
void BM_OnePixelRead(benchmark::State& state)
{
    Display* x = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
    for (auto _ : state) {
        Window root = 0, child = 0;
        int rootX = 0, rootY = 0, winX = 0, winY = 0;
        unsigned buttons = 0;
        XQueryPointer(x, DefaultRootWindow(x), &root, &child, &rootX, &rootY, &winX, &winY, &buttons);
        XImage* image = XGetImage(x, DefaultRootWindow(x), rootX, rootY, 1, 1, AllPlanes, ZPixmap);
        XColor colour{};
        colour.pixel = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        XQueryColor(x, DefaultColormap(x, DefaultScreen(x)), &colour);
        benchmark::DoNotOptimize(colour.red);
    }
}
BENCHMARK(BM_OnePixelRead);

double ProcessCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// The open picker with the pointer still, after its first second: the
// share of a core the whole process takes, as counter "cpu".
void BM_PickerStill(benchmark::State& state)
{
    for (auto _ : state) {
        CScreenPickerDlg picker(g_dlg);
        wxTimer tick;
        int ticks = 0;
        double start = 0;
        tick.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            if (++ticks == 10)
                start = ProcessCpuSeconds();
            if (ticks == 60) {
                state.counters["cpu"] = (ProcessCpuSeconds() - start) / 5.0;
                picker.EndModal(wxID_CANCEL);
            }
        });
        tick.Start(100);
        picker.ShowModal();
    }
}
BENCHMARK(BM_PickerStill)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp || !wxTheApp->CallOnInit())
        return EXIT_FAILURE;
    wxInitAllImageHandlers();
    delete wxLog::SetActiveTarget(new wxLogStderr); // no log window in a measurement
    g_dlg = new CBodyTagDlg;
    g_dlg->Show();
    for (int i = 0; i < 50; ++i) // until the first paint made the preview image
        Pump();
    benchmark::RunSpecifiedBenchmarks();
    g_dlg->Destroy();
    Pump();
    wxEntryCleanup();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
