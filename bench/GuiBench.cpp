// The cost of one UpdateBodyCode (preview render, tag, body code box) in a
// real main window, next to references measured in the same run: drawing
// the preview's fill alone and setting the box's text alone. Run under an X
// display (xvfb-run); see docs/PERFORMANCE.md.
#include "app/BodyTagDlg.h"

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/textctrl.h>

#include <cstdlib>

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
