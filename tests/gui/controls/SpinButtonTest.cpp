#include "controls/SpinButton.h"
#include "Harness.h"
#include "controls/DialogBuilder.h"
#include "res/ResourceIds.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/uiaction.h>

#include <utility>

using namespace VelloranTest;

namespace {

// The red value box of the colour page and its up-down, nothing else.
constexpr ControlTemplate kSpinControls[] = {
    {IDC_RED, ControlKind::Edit, "", 44, 79, 38, 12, kDigitsOnly | kTabStop | kBorder},
    {IDC_RED_SPIN, ControlKind::UpDown, "Spin1", 81, 79, 8, 12, kStyleNone},
};
constexpr DialogTemplate kSpinDialog = {IDD_PAGE_COLOUR, "", 227, 183, kSpinControls};

class SpinButton : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "spin", wxPoint(40, 40), wxSize(420, 420));
        m_panel = new wxPanel(m_frame);
        m_panel->SetFont(GetDialogFont());
        BuildDialogControls(m_panel, kSpinDialog);
        m_edit = dynamic_cast<wxTextCtrl*>(m_panel->FindWindow(IDC_RED));
        m_spin = dynamic_cast<CSpinButton*>(m_panel->FindWindow(IDC_RED_SPIN));
        ASSERT_NE(m_edit, nullptr);
        ASSERT_NE(m_spin, nullptr);
        m_edit->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { ++m_nTextEvents; });
        m_frame->Show();
        m_frame->Raise();
        ASSERT_TRUE(WaitFor([&] { return m_spin->IsShownOnScreen(); }));
        Pump(100);
    }
    void TearDown() override
    {
        m_frame->Destroy();
        Pump();
    }

    void ClickArrow(bool up) { ClickSpinArrow(m_spin, up); }

    int Pos(bool* error = nullptr) { return m_spin->GetPos(error); }

    wxFrame* m_frame = nullptr;
    wxPanel* m_panel = nullptr;
    wxTextCtrl* m_edit = nullptr;
    CSpinButton* m_spin = nullptr;
    int m_nTextEvents = 0;
};

} // namespace

TEST_F(SpinButton, TakesTheRightEndOfItsBuddysRectangle)
{
    const wxRect box = TemplateRectToPixels(m_panel, kSpinControls[0]);
    const wxRect arrows = TemplateRectToPixels(m_panel, kSpinControls[1]);
    const wxRect edit = m_edit->GetRect();
    const wxRect spin = m_spin->GetRect();
    EXPECT_EQ(spin.width, arrows.width);
    EXPECT_EQ(spin.GetRight(), box.GetRight());
    EXPECT_EQ(edit.GetRight() + 1, spin.x);
    EXPECT_EQ(edit.x, box.x);
    EXPECT_EQ(spin.y, edit.y);
    EXPECT_EQ(spin.height, edit.height);
    EXPECT_EQ(m_edit->GetValue(), "0");
    EXPECT_EQ(m_spin->GetBuddy(), m_edit);
    SaveScreenshot(m_frame, "spin-button");
}

TEST_F(SpinButton, ArrowsStepAndStopAtTheRangeEnds)
{
    m_spin->SetRange(0, 255);
    m_spin->SetPos(254);
    EXPECT_EQ(m_edit->GetValue(), "254");
    EXPECT_EQ(m_nTextEvents, 1) << "SetPos raises the buddy's change event";

    ClickArrow(true);
    EXPECT_EQ(m_edit->GetValue(), "255");
    ClickArrow(true);
    EXPECT_EQ(m_edit->GetValue(), "255");
    EXPECT_EQ(m_nTextEvents, 2) << "a step at the end changes nothing";
    EXPECT_EQ(m_edit->GetValue(), "255");

    m_spin->SetPos(1);
    ClickArrow(false);
    ClickArrow(false);
    EXPECT_EQ(m_edit->GetValue(), "0");
    bool error = true;
    EXPECT_EQ(Pos(&error), 0);
    EXPECT_FALSE(error);
    EXPECT_TRUE(m_edit->HasFocus()) << "a click on the arrows puts the focus in the box";
}

TEST_F(SpinButton, SetPosIsClampedToTheRange)
{
    m_spin->SetRange(0, 100);
    m_spin->SetPos(250);
    EXPECT_EQ(m_edit->GetValue(), "100");
    m_spin->SetPos(-3);
    EXPECT_EQ(m_edit->GetValue(), "0");
}

TEST_F(SpinButton, HeldArrowRepeatsUntilReleased)
{
    m_spin->SetRange(0, 1000);
    m_spin->SetPos(10);
    const wxSize size = m_spin->GetClientSize();
    wxUIActionSimulator sim;
    sim.MouseMove(m_spin->ClientToScreen(wxPoint(size.x / 2, size.y / 4)));
    Pump(20);
    sim.MouseDown();
    Pump(300);
    EXPECT_EQ(Pos(), 11) << "no repeat before the first delay";
    Pump(500);
    sim.MouseUp();
    Pump(50);
    const int released = Pos();
    EXPECT_GT(released, 13);
    Pump(200);
    EXPECT_EQ(Pos(), released) << "the repeat stops with the button";
}

TEST_F(SpinButton, UpAndDownKeysInTheBuddyStepIt)
{
    m_spin->SetRange(0, 255);
    m_spin->SetPos(7);
    m_edit->SetFocus();
    Pump(50);
    wxUIActionSimulator sim;
    sim.Char(WXK_UP);
    sim.Char(WXK_UP);
    sim.Char(WXK_DOWN);
    Pump(100);
    EXPECT_EQ(m_edit->GetValue(), "8");
}

TEST_F(SpinButton, TypingKeepsOnlyTheDigitsOfTheBase)
{
    m_spin->SetRange(0, 0xFFFFF);
    for (const auto& [base, kept] : {std::pair{10, "123"}, std::pair{16, "1a2F3"}}) {
        m_spin->SetBase(base);
        m_edit->SetFocus();
        m_edit->SelectAll();
        Pump(50);
        wxUIActionSimulator().Text("1a-2 xF3g");
        Pump(100);
        EXPECT_EQ(m_edit->GetValue(), kept) << "base " << base;
    }
}

TEST_F(SpinButton, ArrowsStepFromTheValueInUseAfterAnEntryOutOfRange)
{
    // The pages use the top of the range for such a text.
    m_spin->SetRange(0, 255);
    m_spin->SetPos(30);
    for (const char* typed : {"300", "", "-4"}) {
        m_edit->ChangeValue(typed);
        EXPECT_EQ(m_spin->GetUsedPos(), 255) << '"' << typed << '"';
        Pump(500); // no double click
        ClickArrow(false);
        EXPECT_EQ(m_edit->GetValue(), "254") << '"' << typed << '"';
    }
}

TEST_F(SpinButton, TextThatIsNoNumberInRangeReportsAnError)
{
    m_spin->SetRange(0, 255);
    m_spin->SetPos(40);
    const struct
    {
        const char* text;
        bool error;
        int pos;
    } rows[] = {
        {"200", false, 200}, {"256", true, 200},       {"", true, 200},   {"12x", true, 200}, {"-1", true, 200},
        {"0", false, 0},     {"99999999999", true, 0}, {"007", false, 7}, {" 5", true, 7},
    };
    for (const auto& row : rows) {
        m_edit->ChangeValue(row.text);
        bool error = !row.error;
        EXPECT_EQ(Pos(&error), row.pos) << '"' << row.text << '"';
        EXPECT_EQ(error, row.error) << '"' << row.text << '"';
    }
}

TEST_F(SpinButton, BaseSixteenShowsUpperCaseHexDigits)
{
    m_spin->SetRange(0, 255);
    m_spin->SetPos(255);
    const int events = m_nTextEvents;
    m_spin->SetBase(16);
    EXPECT_EQ(m_spin->GetBase(), 16);
    EXPECT_EQ(m_edit->GetValue(), "FF");
    EXPECT_EQ(m_nTextEvents, events) << "a new base is no new number";
    m_spin->SetPos(10);
    EXPECT_EQ(m_edit->GetValue(), "A");

    bool error = true;
    m_edit->ChangeValue("c8");
    EXPECT_EQ(Pos(&error), 200);
    EXPECT_FALSE(error);
    m_edit->ChangeValue("100");
    EXPECT_EQ(Pos(&error), 200);
    EXPECT_TRUE(error) << "0x100 is out of range";
    m_edit->ChangeValue("0x10");
    EXPECT_EQ(Pos(&error), 200);
    EXPECT_TRUE(error);

    m_spin->SetBase(8);
    EXPECT_EQ(m_spin->GetBase(), 16);
    m_spin->SetBase(10);
    EXPECT_EQ(m_edit->GetValue(), "200");
}
