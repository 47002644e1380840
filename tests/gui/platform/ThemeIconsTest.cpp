#include "platform/ThemeIcons.h"
#include "Harness.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/radiobut.h>

#include <cstring>

using namespace VelloranTest;

namespace {

bool ThemeIsAdwaita()
{
    gchar* theme = nullptr;
    g_object_get(gtk_settings_get_default(), "gtk-theme-name", &theme, nullptr);
    const bool adwaita = theme != nullptr && std::strcmp(theme, "Adwaita") == 0;
    g_free(theme);
    return adwaita;
}

bool SameImage(const wxImage& a, const wxImage& b)
{
    return a.GetSize() == b.GetSize() &&
           std::memcmp(a.GetData(), b.GetData(), size_t(a.GetWidth()) * a.GetHeight() * 3) == 0;
}

} // namespace

TEST(ThemeIcons, PrerenderedMarksDrawTheSamePixels)
{
    if (!ThemeIsAdwaita())
        GTEST_SKIP() << "only Adwaita's marks are replaced";
    auto* frame = new wxFrame(nullptr, wxID_ANY, "marks", wxPoint(0, 0), wxSize(240, 120));
    auto* panel = new wxPanel(frame);
    auto* checked = new wxCheckBox(panel, wxID_ANY, "coche", wxPoint(8, 8));
    auto* mixed = new wxCheckBox(panel, wxID_ANY, "mixte", wxPoint(8, 40), wxDefaultSize, wxCHK_3STATE);
    new wxRadioButton(panel, wxID_ANY, "radio", wxPoint(8, 72));
    checked->SetValue(true);
    mixed->Set3StateValue(wxCHK_UNDETERMINED);
    frame->Show();
    ASSERT_TRUE(WaitFor([&] { return frame->IsShownOnScreen(); }));
    Pump(200);
    const wxImage themed = CaptureClient(panel);
    checked->SetValue(false);
    Pump(100);
    // The capture sees the marks: without one the box looks otherwise.
    EXPECT_FALSE(SameImage(themed, CaptureClient(panel)));
    checked->SetValue(true);

    UsePrerenderedCheckMarks();
    Pump(800); // past the theme's fade of the mark
    EXPECT_TRUE(SameImage(themed, CaptureClient(panel)));
    frame->Destroy();
    Pump();
}
