#include "PageFixture.h"
#include "controls/SpinButton.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"

#include <wx/stattext.h>
#include <wx/textctrl.h>

using namespace VelloranTest;

namespace {

constexpr int kMarginsTab = 4;
constexpr int kSideControls[] = {IDC_SIDE_LABEL, IDC_SIDE_VALUE, IDC_SIDE_SPIN};
constexpr int kTopControls[] = {IDC_TOP_LABEL, IDC_TOP_VALUE, IDC_TOP_SPIN};

class MarginsPage : public CPageFixture
{
protected:
    MarginsPage() : CPageFixture(kMarginsTab) {}

    wxWindow* Frame() const { return Control(IDC_MARGIN_FRAME); }
    wxWindow* Sample() const { return m_page->FindWindow(IDC_MARGIN_SAMPLE); }
    wxTextCtrl* SideBox() const { return Control<wxTextCtrl>(IDC_SIDE_VALUE); }
    wxTextCtrl* TopBox() const { return Control<wxTextCtrl>(IDC_TOP_VALUE); }

    // Where the sample sits inside the frame's client area.
    wxRect SampleInFrame() const
    {
        const wxPoint origin = Frame()->ClientToScreen(wxPoint(0, 0));
        const wxRect screen = Sample()->GetScreenRect();
        return wxRect(screen.GetPosition() - origin, screen.GetSize());
    }
    wxRect Inset(int side, int top) const
    {
        const wxSize client = Frame()->GetClientSize();
        return wxRect(side, top, client.x - 2 * side, client.y - 2 * top);
    }

    // Where the sample's text shows on the screen inside the frame: the
    // bounds of its dark pixels, empty when none show.
    wxRect TextOnScreen() const
    {
        const wxImage image = CaptureClient(Frame());
        wxRect bounds;
        for (int y = 0; y < image.GetHeight(); ++y)
            for (int x = 0; x < image.GetWidth(); ++x)
                if (image.GetRed(x, y) + image.GetGreen(x, y) + image.GetBlue(x, y) < 300)
                    bounds = bounds.IsEmpty() ? wxRect(x, y, 1, 1) : bounds.Union(wxRect(x, y, 1, 1));
        return bounds;
    }
    void ExpectTextShownAt(int side, int top) const
    {
        const wxRect text = TextOnScreen();
        EXPECT_TRUE(Inset(side, top).Contains(text))
            << text.x << "," << text.y << " " << text.width << "x" << text.height;
        EXPECT_LE(text.x - side, 2);
        EXPECT_LE(text.y - top, 6);
    }

    void ExpectEnabled(const int (&ids)[3], bool on) const
    {
        for (int id : ids)
            EXPECT_EQ(Control(id)->IsEnabled(), on) << "control " << id;
    }

    void ClickArrow(int spinId, bool up) { ClickSpinArrow(Control(spinId), up); }
};

} // namespace

TEST_F(MarginsPage, FreshStartShowsDefaultMarginsTenPixelsInside)
{
    EXPECT_EQ(Control<wxStaticText>(IDC_MARGINS_INFO)->GetLabelText().utf8_string(), LoadResString(IDS_INFO_MARGINS));
    ASSERT_NE(Sample(), nullptr);
    EXPECT_EQ(static_cast<wxStaticText*>(Sample())->GetLabelText().utf8_string(), LoadResString(IDS_MARGINS_SAMPLE));
    EXPECT_TRUE(IsChecked(IDC_SIDE_DEFAULT));
    EXPECT_TRUE(IsChecked(IDC_TOP_DEFAULT));
    ExpectEnabled(kSideControls, false);
    ExpectEnabled(kTopControls, false);
    EXPECT_EQ(SampleInFrame(), Inset(10, 10));
    ExpectTextShownAt(10, 10);
    EXPECT_EQ(GetScheme().sidemargin, -1);
    EXPECT_EQ(GetScheme().topmargin, -1);
    EXPECT_EQ(Tag(), "<body>");
    SaveScreenshot(m_dlg, "margins-page");
}

TEST_F(MarginsPage, UncheckingADefaultStoresTheShownValue)
{
    Click(Control(IDC_SIDE_DEFAULT));
    ASSERT_FALSE(IsChecked(IDC_SIDE_DEFAULT));
    ExpectEnabled(kSideControls, true);
    ExpectEnabled(kTopControls, false);
    EXPECT_EQ(GetScheme().sidemargin, 0);
    EXPECT_EQ(Tag(), "<body leftmargin=\"0\">");
    EXPECT_EQ(SampleInFrame(), Inset(0, 10));
    ExpectTextShownAt(0, 10);

    Click(Control(IDC_TOP_DEFAULT));
    EXPECT_EQ(Tag(), "<body leftmargin=\"0\" topmargin=\"0\">");
    EXPECT_EQ(SampleInFrame(), Inset(0, 0));

    Click(Control(IDC_SIDE_DEFAULT));
    ExpectEnabled(kSideControls, false);
    EXPECT_EQ(GetScheme().sidemargin, -1);
    EXPECT_EQ(Tag(), "<body topmargin=\"0\">");
    SaveScreenshot(m_dlg, "margins-page-top-0");
}

TEST_F(MarginsPage, EachKeystrokeMovesTheSampleAndTheTag)
{
    Click(Control(IDC_SIDE_DEFAULT));
    Click(SideBox());
    ASSERT_EQ(wxWindow::FindFocus(), SideBox());
    SideBox()->SelectAll();
    wxUIActionSimulator sim;
    sim.Char('4');
    Pump(20);
    EXPECT_EQ(Tag(), "<body leftmargin=\"4\">");
    EXPECT_EQ(SampleInFrame(), Inset(4, 10));
    sim.Char('2');
    Pump(20);
    EXPECT_EQ(Tag(), "<body leftmargin=\"42\">");
    EXPECT_EQ(SampleInFrame(), Inset(42, 10));
}

TEST_F(MarginsPage, ArrowsStopAtZeroAndAHundred)
{
    Click(Control(IDC_SIDE_DEFAULT));
    ClickArrow(IDC_SIDE_SPIN, false);
    EXPECT_EQ(SideBox()->GetValue(), "0");
    EXPECT_EQ(GetScheme().sidemargin, 0);

    Click(Control(IDC_TOP_DEFAULT));
    TopBox()->SetValue("99");
    ClickArrow(IDC_TOP_SPIN, true);
    ClickArrow(IDC_TOP_SPIN, true);
    EXPECT_EQ(TopBox()->GetValue(), "100");
    EXPECT_EQ(GetScheme().topmargin, 100);
    EXPECT_EQ(Tag(), "<body leftmargin=\"0\" topmargin=\"100\">");
    ClickArrow(IDC_TOP_SPIN, false);
    EXPECT_EQ(GetScheme().topmargin, 99);
}

TEST_F(MarginsPage, RefreshBringsStoredMarginsIntoRangeEverywhere)
{
    const struct
    {
        int32_t stored;
        int shown;
    } rows[] = {
        {150, 100},       {-2, 0},  {100, 100},
        {0, 0},           {37, 37}, {0x10000 + 50, 50}, // the up-down control keeps the low 16 bits
        {0x10000 - 5, 0},                               // ... read as a signed number
        {40000, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        GetScheme().sidemargin = row.stored;
        GetScheme().topmargin = row.stored;
        m_dlg->RefreshPages();
        const std::string shown = std::to_string(row.shown);
        EXPECT_FALSE(IsChecked(IDC_SIDE_DEFAULT));
        EXPECT_FALSE(IsChecked(IDC_TOP_DEFAULT));
        ExpectEnabled(kSideControls, true);
        EXPECT_EQ(SideBox()->GetValue(), shown);
        EXPECT_EQ(TopBox()->GetValue(), shown);
        EXPECT_EQ(GetScheme().sidemargin, row.shown);
        EXPECT_EQ(GetScheme().topmargin, row.shown);
        EXPECT_EQ(Tag(), "<body leftmargin=\"" + shown + "\" topmargin=\"" + shown + "\">");
    }

    // Back to default: the boxes keep the last values shown.
    GetScheme().sidemargin = -1;
    GetScheme().topmargin = -1;
    m_dlg->RefreshPages();
    EXPECT_TRUE(IsChecked(IDC_SIDE_DEFAULT));
    ExpectEnabled(kTopControls, false);
    EXPECT_EQ(SideBox()->GetValue(), "0");
    EXPECT_EQ(Tag(), "<body>");
    EXPECT_EQ(SampleInFrame(), Inset(10, 10));
}

TEST_F(MarginsPage, LargeMarginsShrinkTheSampleToNothing)
{
    GetScheme().sidemargin = 100;
    GetScheme().topmargin = 10;
    m_dlg->RefreshPages();
    EXPECT_EQ(SampleInFrame(), Inset(100, 10));
    ExpectTextShownAt(100, 10);

    GetScheme().topmargin = 100;
    m_dlg->RefreshPages();
    ASSERT_GT(100, Frame()->GetClientSize().y / 2);
    EXPECT_TRUE(TextOnScreen().IsEmpty());

    GetScheme().topmargin = 20;
    m_dlg->RefreshPages();
    ExpectTextShownAt(100, 20);
    SaveScreenshot(m_dlg, "margins-page-hidden-sample");
}

TEST_F(MarginsPage, TextOutOfRangeCountsAsAHundredInSampleAndTag)
{
    Click(Control(IDC_SIDE_DEFAULT));
    for (const char* text : {"150", ""}) {
        SCOPED_TRACE(text);
        SideBox()->SetValue("20");
        SideBox()->SetValue(text);
        EXPECT_EQ(GetScheme().sidemargin, 100);
        EXPECT_EQ(Tag(), "<body leftmargin=\"100\">");
        EXPECT_EQ(SampleInFrame(), Inset(100, 10));
    }
}
