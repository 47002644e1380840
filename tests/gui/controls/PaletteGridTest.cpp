#include "controls/PaletteGrid.h"
#include "Harness.h"
#include "Printers.h"
#include "res/ResourceIds.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/uiaction.h>

#include <cstring>
#include <vector>

using namespace VelloranTest;

namespace {

constexpr int kPitch = 12;

wxColour At(const wxImage& image, int x, int y)
{
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

wxColour ToWx(COLORREF c)
{
    return wxColour(RedOf(c), GreenOf(c), BlueOf(c));
}

// The four lines of the square from (x0, y0) to (x0 + size, y0 + size),
// both ends included, all of one colour.
void ExpectSquare(const wxImage& image, int x0, int y0, int size, const wxColour& colour, const char* what)
{
    for (int i = 0; i <= size; ++i) {
        ASSERT_EQ(At(image, x0 + i, y0), colour) << what << " top, offset " << i;
        ASSERT_EQ(At(image, x0 + i, y0 + size), colour) << what << " bottom, offset " << i;
        ASSERT_EQ(At(image, x0, y0 + i), colour) << what << " left, offset " << i;
        ASSERT_EQ(At(image, x0 + size, y0 + i), colour) << what << " right, offset " << i;
    }
}

void ExpectFilled(const wxImage& image, int x0, int y0, int size, const wxColour& colour, const char* what)
{
    for (int y = y0; y < y0 + size; ++y)
        for (int x = x0; x < x0 + size; ++x)
            ASSERT_EQ(At(image, x, y), colour) << what << " at (" << x << ", " << y << ")";
}

void ExpectPlainCell(const wxImage& image, GridCell cell, COLORREF colour)
{
    const int x0 = cell.col * kPitch, y0 = cell.row * kPitch;
    ExpectSquare(image, x0, y0, kPitch, *wxWHITE, "plain cell line");
    ExpectFilled(image, x0 + 1, y0 + 1, kPitch - 1, ToWx(colour), "plain cell inside");
}

// With the focus, the black line and the first ring take the selection
// colour.
void ExpectMarkedCell(const wxImage& image, GridCell cell, COLORREF colour, bool focused = false)
{
    const int x0 = cell.col * kPitch, y0 = cell.row * kPitch;
    const wxColour focus = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    ExpectSquare(image, x0, y0, kPitch, focused ? focus : *wxBLACK, "mark");
    ExpectSquare(image, x0 + 1, y0 + 1, kPitch - 2, focused ? focus : *wxWHITE, "first ring");
    ExpectSquare(image, x0 + 2, y0 + 2, kPitch - 4, *wxWHITE, "second ring");
    ExpectFilled(image, x0 + 3, y0 + 3, kPitch - 5, ToWx(colour), "marked cell inside");
}

class PaletteGrid : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "grid", wxPoint(40, 40), wxSize(320, 320));
        m_panel = new wxPanel(m_frame);
        // The focus starts elsewhere, as on a page: a focused grid marks its cell.
        m_elsewhere = new wxButton(m_panel, wxID_ANY, "elsewhere", wxPoint(220, 260));
        // The selection as the parent sees it when each notice arrives.
        m_panel->Bind(
            wxEVT_BUTTON, [this](wxCommandEvent&) { m_notices.push_back(m_grid->GetSelection()); }, IDC_GRID);
    }
    void TearDown() override
    {
        m_frame->Destroy();
        Pump();
    }

    // Creates the window of m_grid (made before, like a page does) with the
    // given client size and shows it.
    void Show(const wxSize& client = wxSize(15 * kPitch + 1, 15 * kPitch + 1))
    {
        ASSERT_TRUE(m_grid->Create(m_panel, IDC_GRID, wxPoint(20, 20)));
        m_grid->SetClientSize(client);
        m_frame->Show();
        m_frame->Raise();
        ASSERT_TRUE(WaitFor([&] { return m_grid->IsShownOnScreen(); }));
        m_elsewhere->SetFocus();
        Pump(100);
    }

    // Waits out the double-click time first, so that each click is a
    // single one.
    void ClickAt(int x, int y)
    {
        Pump(500);
        wxUIActionSimulator sim;
        sim.MouseMove(m_grid->ClientToScreen(wxPoint(x, y)));
        Pump(20);
        sim.MouseClick();
        Pump(50);
    }

    void PressKey(int key)
    {
        wxUIActionSimulator sim;
        sim.Char(key);
        Pump(50);
    }

    wxFrame* m_frame = nullptr;
    wxPanel* m_panel = nullptr;
    wxButton* m_elsewhere = nullptr;
    CPaletteGridLogic m_logic; // the default palette with cell (0, 0) selected
    CPaletteGrid* m_grid = new CPaletteGrid(m_logic);
    std::vector<GridCell> m_notices;
};

} // namespace

TEST_F(PaletteGrid, ChangesBeforeTheFirstPaintShowAtIt)
{
    m_grid->SelectColour(0x123456); // new: placed at (14, 14)
    m_grid->SelectColour(0x0000FF); // pure red, at (5, 0)
    Show();
    const wxImage image = CaptureClient(m_grid);
    ASSERT_EQ(image.GetWidth(), 181);
    ExpectMarkedCell(image, {5, 0}, 0x0000FF);
    ExpectPlainCell(image, {14, 14}, 0x123456);
    ExpectPlainCell(image, {0, 0}, 0x000000);
    ExpectPlainCell(image, {7, 3}, CPaletteGridLogic().GetColour({7, 3}));
    EXPECT_TRUE(m_notices.empty());
    SaveScreenshot(m_frame, "palette-grid");
}

TEST_F(PaletteGrid, ClickSelectsTheCellLeftOfASharedLineAndNotifies)
{
    Show();
    ClickAt(12, 5); // the line between columns 0 and 1, already selected
    ClickAt(13, 5);
    ClickAt(180, 180);
    EXPECT_EQ(m_notices, (std::vector<GridCell>{{0, 0}, {1, 0}, {14, 14}}));
    const wxImage image = CaptureClient(m_grid);
    ExpectMarkedCell(image, {14, 14}, 0xFFFFFF, m_grid->HasFocus());
    ExpectPlainCell(image, {1, 0}, 0x000033);
    ExpectPlainCell(image, {0, 0}, 0x000000);
}

TEST_F(PaletteGrid, DoubleClickDoesNoMoreThanItsFirstClick)
{
    Show();
    Pump(500);
    wxUIActionSimulator sim;
    sim.MouseMove(m_grid->ClientToScreen(wxPoint(40, 40)));
    Pump(20);
    sim.MouseDblClick();
    Pump(100);
    EXPECT_EQ(m_notices, (std::vector<GridCell>{{3, 3}}));
    EXPECT_EQ(m_grid->GetSelection(), (GridCell{3, 3}));
}

TEST_F(PaletteGrid, ClickBeyondTheLastLineSelectsNothingButNotifies)
{
    Show(wxSize(200, 200)); // pitch 13: the last line at 195
    ClickAt(198, 20);
    ClickAt(20, 198);
    EXPECT_EQ(m_notices, (std::vector<GridCell>{{0, 0}, {0, 0}}));
    EXPECT_EQ(PixelAt(m_grid, 198, 20), wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
}

TEST_F(PaletteGrid, ArrowKeysWrapAndNotifyOnceEach)
{
    Show();
    m_grid->SetFocus();
    Pump(50);
    ASSERT_TRUE(m_grid->HasFocus());
    PressKey(WXK_LEFT);
    PressKey(WXK_UP);
    PressKey(WXK_RIGHT);
    PressKey(WXK_RIGHT);
    PressKey(WXK_DOWN);
    EXPECT_EQ(m_notices, (std::vector<GridCell>{{14, 0}, {14, 14}, {0, 14}, {1, 14}, {1, 0}}));
    const wxImage image = CaptureClient(m_grid);
    ExpectMarkedCell(image, {1, 0}, 0x000033, true);
    ExpectPlainCell(image, {14, 14}, 0xFFFFFF);
    ExpectPlainCell(image, {0, 14}, 0xFFFF00);
}

TEST_F(PaletteGrid, TabMovesTheFocusOn)
{
    Show();
    auto* next = new wxButton(m_panel, wxID_ANY, "next", wxPoint(220, 20));
    m_grid->SetFocus();
    Pump(50);
    PressKey(WXK_TAB);
    EXPECT_TRUE(next->HasFocus());
    EXPECT_TRUE(m_notices.empty());
}

TEST_F(PaletteGrid, SetSelectedColourAndRedrawAllShowTheNewColours)
{
    Show();
    m_grid->SetSelectedColour(0x00FF00);
    ExpectMarkedCell(CaptureClient(m_grid), {0, 0}, 0x00FF00);

    m_grid->SetPaletteText(CTextBuffer("255\r\n0\r\n7"));
    m_grid->RedrawAll();
    const wxImage image = CaptureClient(m_grid);
    ExpectMarkedCell(image, {0, 0}, 0x0000FF);
    ExpectPlainCell(image, {0, 2}, 0x000007);
    ExpectPlainCell(image, {9, 9}, 0x000000);
    EXPECT_TRUE(m_notices.empty());
}

TEST_F(PaletteGrid, ShowsASunkenEdgeAFocusMarkAndAGreyedDisabledLook)
{
    Show();
    const wxRect rect = m_grid->GetRect();
    EXPECT_NE(PixelAt(m_panel, rect.x, rect.y + rect.height / 2), PixelAt(m_panel, rect.x - 4, rect.y))
        << "the edge stands out from the page";
    const wxImage plain = CaptureClient(m_grid);
    auto same = [&](const wxImage& other) {
        return other.GetSize() == plain.GetSize() &&
               memcmp(other.GetData(), plain.GetData(), size_t(plain.GetWidth()) * plain.GetHeight() * 3) == 0;
    };
    m_grid->SetFocus();
    Pump(100);
    ExpectMarkedCell(CaptureClient(m_grid), {0, 0}, 0x000000, true);

    m_grid->Disable();
    Pump(100);
    EXPECT_FALSE(same(CaptureClient(m_grid))) << "disabled looks different";
    SaveScreenshot(m_frame, "palette-grid-disabled");
    ClickAt(40, 40);
    EXPECT_TRUE(m_notices.empty());
    EXPECT_EQ(m_grid->GetSelection(), (GridCell{0, 0}));
    m_grid->Enable();
    Pump(100);
    EXPECT_TRUE(same(CaptureClient(m_grid)));
}
