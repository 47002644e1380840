#include "PageFixture.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"

#include <wx/filedlg.h>
#include <wx/stattext.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

using namespace VelloranTest;

namespace {

constexpr int kBackgroundTab = 3;
constexpr int kImageControls[] = {IDC_FIXED_IMAGE, IDC_IMAGE_LABEL, IDC_IMAGE_PATH, IDC_BROWSE};

class BackgroundPage : public CPageFixture
{
protected:
    BackgroundPage() : CPageFixture(kBackgroundTab) {}

    wxTextCtrl* PathBox() const { return Control<wxTextCtrl>(IDC_IMAGE_PATH); }
    std::string StoredPath() const { return GetScheme().background; }

    void ExpectImageControlsEnabled(bool on) const
    {
        for (int id : kImageControls)
            EXPECT_EQ(Control(id)->IsEnabled(), on) << "control " << id;
    }

    void Browse()
    {
        wxCommandEvent click(wxEVT_BUTTON, IDC_BROWSE);
        click.SetEventObject(Control(IDC_BROWSE));
        Control(IDC_BROWSE)->GetEventHandler()->ProcessEvent(click);
    }
};

} // namespace

TEST_F(BackgroundPage, FreshStartHasNoImageAndTheImageControlsDisabled)
{
    EXPECT_EQ(Control<wxStaticText>(IDC_BACKGROUND_INFO)->GetLabelText().utf8_string(),
              LoadResString(IDS_INFO_BACKGROUND));
    EXPECT_FALSE(IsChecked(IDC_USE_IMAGE));
    EXPECT_FALSE(IsChecked(IDC_FIXED_IMAGE));
    EXPECT_TRUE(PathBox()->IsEmpty());
    ExpectImageControlsEnabled(false);
    EXPECT_EQ(Tag(), "<body>");
    SaveScreenshot(m_dlg, "background-page");
}

TEST_F(BackgroundPage, UsingAnImageWithAnEmptyPathWritesAnEmptyAttribute)
{
    Click(Control(IDC_USE_IMAGE));
    ASSERT_TRUE(IsChecked(IDC_USE_IMAGE));
    ExpectImageControlsEnabled(true);
    EXPECT_EQ(GetScheme().useback, 1);
    EXPECT_EQ(Tag(), "<body background=\"\">");
}

TEST_F(BackgroundPage, FixedImageIsKeptWhileTheImageIsOff)
{
    Click(Control(IDC_USE_IMAGE));
    Click(Control(IDC_FIXED_IMAGE));
    EXPECT_EQ(Tag(), "<body background=\"\" bgproperties=\"fixed\">");

    Click(Control(IDC_USE_IMAGE));
    EXPECT_TRUE(IsChecked(IDC_FIXED_IMAGE));
    ExpectImageControlsEnabled(false);
    Click(Control(IDC_FIXED_IMAGE)); // disabled: no effect
    EXPECT_TRUE(IsChecked(IDC_FIXED_IMAGE));
    EXPECT_EQ(GetScheme().useback, 0);
    EXPECT_EQ(GetScheme().watermark, 1);
    EXPECT_EQ(Tag(), "<body>");

    Click(Control(IDC_USE_IMAGE));
    EXPECT_EQ(Tag(), "<body background=\"\" bgproperties=\"fixed\">");
}

TEST_F(BackgroundPage, EveryKeystrokeInThePathBoxReachesTheTag)
{
    Click(Control(IDC_USE_IMAGE));
    Click(PathBox());
    ASSERT_EQ(wxWindow::FindFocus(), PathBox());
    wxUIActionSimulator sim;
    std::string typed;
    for (char c : std::string("img/fond.gif")) {
        sim.Char(c);
        Pump(20);
        typed += c;
        EXPECT_EQ(StoredPath(), typed);
        EXPECT_EQ(Tag(), "<body background=\"" + typed + "\">");
    }
    PathBox()->WriteText(wxString::FromUTF8("é"));
    EXPECT_EQ(StoredPath(), "img/fond.gif\xC3\xA9");
}

TEST_F(BackgroundPage, BrowsedFileGoesIntoTheBoxAndTheTagCancelChangesNothing)
{
    Click(Control(IDC_USE_IMAGE));
    wxTEST_DIALOG(Browse(), wxExpectModal<wxFileDialog>("/some/path.gif"));
    EXPECT_EQ(PathBox()->GetValue(), "/some/path.gif");
    EXPECT_EQ(StoredPath(), "/some/path.gif");
    EXPECT_EQ(Tag(), "<body background=\"/some/path.gif\">");

    wxTEST_DIALOG(Browse(), wxExpectModal<wxFileDialog>("/other/path.png", wxID_CANCEL));
    EXPECT_EQ(PathBox()->GetValue(), "/some/path.gif");
    EXPECT_EQ(Tag(), "<body background=\"/some/path.gif\">");
}

TEST_F(BackgroundPage, RefreshShowsTheSchemeAndKeepsBytesOfAnotherEncoding)
{
    const std::string latin1 = "C:\\images\\f\xEAte.gif";
    Scheme& scheme = GetScheme();
    scheme.useback = 1;
    scheme.watermark = 1;
    scheme.background.assign(latin1.c_str());
    m_dlg->RefreshPages();

    EXPECT_TRUE(IsChecked(IDC_USE_IMAGE));
    EXPECT_TRUE(IsChecked(IDC_FIXED_IMAGE));
    ExpectImageControlsEnabled(true);
    EXPECT_EQ(PathBox()->GetValue().utf8_string(), "C:\\images\\f\xC3\xAAte.gif");
    EXPECT_EQ(StoredPath(), latin1);
    EXPECT_EQ(Tag(), "<body background=\"" + latin1 + "\" bgproperties=\"fixed\">");

    // A click elsewhere stores the fields again, the path still unchanged;
    // only an edit of the box makes it the typed text.
    Click(Control(IDC_FIXED_IMAGE));
    EXPECT_EQ(StoredPath(), latin1);
    EXPECT_EQ(Tag(), "<body background=\"" + latin1 + "\">");
    PathBox()->SetInsertionPointEnd();
    PathBox()->WriteText("x");
    EXPECT_EQ(StoredPath(), "C:\\images\\f\xC3\xAAte.gifx");
}

TEST_F(BackgroundPage, RefreshWithTheImageOffDisablesTheControlsAndKeepsThePath)
{
    Click(Control(IDC_USE_IMAGE));
    PathBox()->SetValue("a.png");
    GetScheme().useback = 0;
    m_dlg->RefreshPages();
    EXPECT_FALSE(IsChecked(IDC_USE_IMAGE));
    ExpectImageControlsEnabled(false);
    EXPECT_EQ(PathBox()->GetValue(), "a.png");
    EXPECT_EQ(Tag(), "<body>");
}
