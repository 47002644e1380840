#include "PageFixture.h"
#include "Printers.h"
#include "controls/DialogBuilder.h"
#include "controls/PaletteGrid.h"
#include "controls/ScreenPickerDlg.h"
#include "controls/SpinButton.h"
#include "pages/PageColour.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "res/Templates.h"

#include <wx/clipbrd.h>
#include <wx/colordlg.h>
#include <wx/dataobj.h>
#include <wx/stattext.h>
#include <wx/testing.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>
#include <wx/timer.h>

#include <gtk/gtk.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

// The colour dialog answered without showing it.
template <> class wxExpectModal<wxColourDialog> : public wxExpectDismissableModal<wxColourDialog>
{
public:
    explicit wxExpectModal(int id) : wxExpectDismissableModal<wxColourDialog>(id) {}
};

using namespace VelloranTest;

namespace {

constexpr int kLinkIds[] = {IDC_LINK, IDC_VLINK, IDC_ALINK};
constexpr int kColourControls[] = {IDC_COPY_HEX,  IDC_EDIT_COLOUR, IDC_PIPETTE,    IDC_RED,         IDC_GREEN,
                                   IDC_BLUE,      IDC_HEX,         IDC_RED_LABEL,  IDC_GREEN_LABEL, IDC_BLUE_LABEL,
                                   IDC_HEX_LABEL, IDC_RED_SPIN,    IDC_GREEN_SPIN, IDC_BLUE_SPIN,   IDC_GRID};

using Values = std::array<std::string, 3>;

// Palette text in storage order (column by column) from a colour per cell.
CTextBuffer MakePalette(const std::function<COLORREF(GridCell)>& colourAt)
{
    CTextBuffer text;
    for (int col = 0; col < kGridColumns; ++col)
        for (int row = 0; row < kGridRows; ++row) {
            const std::string line = std::to_string(int32_t(colourAt({col, row}))) + "\r\n";
            text.Append(line.data(), uint32_t(line.size()));
        }
    return text;
}

std::string PaletteOf(const CPageColour* page)
{
    return std::string(page->GetPaletteText().View());
}

// 225 different colours, none of them white.
COLORREF DistinctColour(GridCell cell)
{
    return COLORREF(0x010000 + cell.row * kGridColumns + cell.col);
}

class ColourPage : public CPageFixture
{
protected:
    explicit ColourPage(int tab) : CPageFixture(tab) {}

    // Another colour page, with its controls made as at its first display.
    CPageColour* Page(int tab) const
    {
        CPageColour* page = m_dlg->GetColourPage(tab);
        page->BuildControls();
        return page;
    }
    CPageColour* Page() const { return static_cast<CPageColour*>(m_page); }
    CPaletteGrid* Grid(wxWindow* page = nullptr) const
    {
        return dynamic_cast<CPaletteGrid*>((page ? page : m_page)->FindWindow(IDC_GRID));
    }
    static wxTextCtrl* Box(wxWindow* page, int id) { return static_cast<wxTextCtrl*>(page->FindWindow(id)); }
    wxTextCtrl* Box(int id) const { return Box(m_page, id); }

    static Values ValuesOf(wxWindow* page)
    {
        return {Box(page, IDC_RED)->GetValue().utf8_string(), Box(page, IDC_GREEN)->GetValue().utf8_string(),
                Box(page, IDC_BLUE)->GetValue().utf8_string()};
    }
    Values ShownValues() const { return ValuesOf(m_page); }
    std::string Hex() const { return Box(IDC_HEX)->GetValue().utf8_string(); }

    // As the program sets them: each box raises its change notice.
    void SetValues(const Values& values)
    {
        Box(IDC_RED)->SetValue(values[0]);
        Box(IDC_GREEN)->SetValue(values[1]);
        Box(IDC_BLUE)->SetValue(values[2]);
        Pump();
    }

    // Typed for real into the box, over its old text.
    void Type(int id, const char* text)
    {
        Click(Box(id));
        Box(id)->SelectAll();
        wxUIActionSimulator().Text(text);
        ASSERT_TRUE(WaitFor([&] { return Box(id)->GetValue() == text; })) << Box(id)->GetValue();
        Pump(20);
    }

    void ClickDefault() { Click(Control(IDC_DEFAULT)); }

    void ExpectColourControlsEnabled(wxWindow* page, bool on) const
    {
        for (int id : kColourControls)
            EXPECT_EQ(page->FindWindow(id)->IsEnabled(), on) << "control " << id;
        for (int id : {IDC_DEFAULT, IDC_INFO, IDC_LINK, IDC_VLINK, IDC_ALINK})
            EXPECT_TRUE(page->FindWindow(id)->IsEnabled()) << "control " << id;
    }

    std::string ClipboardText() const
    {
        wxTextDataObject data;
        if (wxTheClipboard->Open()) {
            wxTheClipboard->GetData(data);
            wxTheClipboard->Close();
        }
        return data.GetText().utf8_string();
    }

    // Inside the cell's colour even when it is the marked one.
    wxPoint CellCentre(GridCell cell) const
    {
        const wxSize client = Grid()->GetClientSize();
        const int pitchX = (client.x - 1) / kGridColumns;
        const int pitchY = (client.y - 1) / kGridRows;
        return wxPoint(cell.col * pitchX + pitchX / 2 + 1, cell.row * pitchY + pitchY / 2 + 1);
    }
    wxPoint CellCentreOnScreen(GridCell cell) const { return Grid()->ClientToScreen(CellCentre(cell)); }

    // The explicit colour of the current page, from values typed into its
    // boxes with "&Defaut" unchecked.
    void MakeExplicit(const Values& values)
    {
        if (IsChecked(IDC_DEFAULT))
            ClickDefault();
        ASSERT_FALSE(IsChecked(IDC_DEFAULT));
        SetValues(values);
    }
};

class BgcolorPage : public ColourPage
{
protected:
    BgcolorPage() : ColourPage(0) {}
};

class TextPage : public ColourPage
{
protected:
    TextPage() : ColourPage(1) {}
};

class LinksPage : public ColourPage
{
protected:
    LinksPage() : ColourPage(2) {}

    int PressedLinks() const
    {
        int pressed = 0;
        for (int id : kLinkIds)
            pressed += Control<wxToggleButton>(id)->GetValue();
        return pressed;
    }
};

} // namespace

// --- fresh start -----------------------------------------------------------

TEST_F(BgcolorPage, FreshStartShowsTheStoredRgbOfDefaultColoursOnEveryPage)
{
    struct Row
    {
        int tab;
        int kind;
        Values values;
        const char* hex;
        bool links;
    };
    // The text page's black is already the selected swatch of the default
    // palette, so its boxes keep the up-down controls' first position.
    const Row rows[] = {
        {0, IDS_INFO_BGCOLOR, {"255", "255", "255"}, "#FFFFFF", false},
        {1, IDS_INFO_TEXT, {"0", "0", "0"}, "#000000", false},
        {2, IDS_INFO_LINKS, {"0", "0", "255"}, "#0000FF", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind);
        CPageColour* page = Page(row.tab);
        m_dlg->GetTabs()->SetSelection(row.tab);
        ASSERT_TRUE(WaitFor([&] { return page->IsShownOnScreen(); }));

        EXPECT_TRUE(static_cast<wxCheckBox*>(page->FindWindow(IDC_DEFAULT))->GetValue());
        ExpectColourControlsEnabled(page, false);
        EXPECT_EQ(ValuesOf(page), row.values);
        EXPECT_EQ(Box(page, IDC_HEX)->GetValue().utf8_string(), row.hex);
        for (int id : kLinkIds)
            EXPECT_EQ(page->FindWindow(id)->IsShown(), row.links) << "link button " << id;
        for (int id : {IDC_RED_SPIN, IDC_GREEN_SPIN, IDC_BLUE_SPIN}) {
            auto* spin = static_cast<CSpinButton*>(page->FindWindow(id));
            EXPECT_EQ(spin->GetMin(), 0);
            EXPECT_EQ(spin->GetMax(), 255);
        }
        SaveScreenshot(m_dlg, "colour-page-" + std::to_string(row.kind));
    }
    EXPECT_EQ(Tag(), "<body>");
    EXPECT_EQ(GetScheme(), Scheme()) << "the pages stored back what they show";
}

TEST_F(BgcolorPage, InfoTextIsTheKindsOwnWrappedToTheStatic)
{
    for (int tab : {0, 1, 2}) {
        auto* info = static_cast<wxStaticText*>(Page(tab)->FindWindow(IDC_INFO));
        // Wrapping turns blanks into line ends.
        wxString shown = info->GetLabelText();
        shown.Replace("\n", " ");
        const wxString expected = wxString::FromUTF8(LoadResString(IDS_INFO_BGCOLOR + tab));
        EXPECT_EQ(shown, expected) << "tab " << tab;
        EXPECT_LE(info->GetBestSize().x, info->GetSize().x) << "tab " << tab;
        EXPECT_LE(info->GetBestSize().y, info->GetSize().y) << "tab " << tab << ": the whole text shows";
    }
}

TEST_F(BgcolorPage, GridIsFittedToWholeCellsWithEditColourAgainstIt)
{
    for (int tab : {0, 1, 2}) {
        CPaletteGrid* grid = Grid(Page(tab));
        const wxSize client = grid->GetClientSize();
        EXPECT_EQ(client.x % kGridColumns, 1) << client.x;
        EXPECT_EQ(client.y % kGridRows, 1) << client.y;
        EXPECT_GE((client.x - 1) / kGridColumns, 6) << "a marked cell still shows its colour";

        // Right and bottom edges stay where the template puts them.
        const wxRect templ = TemplateRectToPixels(Page(tab), FindDialogTemplate(IDD_PAGE_COLOUR)->controls.back());
        ASSERT_EQ(FindDialogTemplate(IDD_PAGE_COLOUR)->controls.back().id, IDC_GRID);
        EXPECT_EQ(grid->GetRect().GetRight(), templ.GetRight());
        EXPECT_EQ(grid->GetRect().GetBottom(), templ.GetBottom());

        const wxRect edit = Page(tab)->FindWindow(IDC_EDIT_COLOUR)->GetRect();
        EXPECT_EQ(edit.GetRight() + 1, grid->GetRect().GetLeft());
    }
}

TEST_F(LinksPage, StartsOnLienAndEachLinkButtonShowsItsOwnStoredColour)
{
    EXPECT_TRUE(Control<wxToggleButton>(IDC_LINK)->GetValue());
    EXPECT_EQ(PressedLinks(), 1);
    struct Row
    {
        int id;
        Values values;
        const char* hex;
    };
    const Row rows[] = {
        {IDC_VLINK, {"153", "0", "153"}, "#990099"},
        {IDC_ALINK, {"255", "0", "0"}, "#FF0000"},
        {IDC_LINK, {"0", "0", "255"}, "#0000FF"},
    };
    for (const Row& row : rows) {
        Click(Control(row.id));
        EXPECT_TRUE(Control<wxToggleButton>(row.id)->GetValue()) << row.id;
        EXPECT_EQ(PressedLinks(), 1);
        EXPECT_EQ(ShownValues(), row.values);
        EXPECT_EQ(Hex(), row.hex);
        EXPECT_TRUE(IsChecked(IDC_DEFAULT));
        ExpectColourControlsEnabled(m_page, false);
    }
    EXPECT_EQ(GetScheme(), Scheme());
    EXPECT_EQ(Tag(), "<body>");
}

// --- values ------------------------------------------------------------------

TEST_F(BgcolorPage, TypedValuesChangeSwatchHexBoxSchemeAndTag)
{
    ClickDefault();
    EXPECT_EQ(Tag(), "<body bgcolor=\"#FFFFFF\">");
    const GridCell cell = Grid()->GetSelection();
    Type(IDC_RED, "18");
    Type(IDC_BLUE, "171");

    EXPECT_EQ(Hex(), "#12FFAB");
    EXPECT_EQ(Tag(), "<body bgcolor=\"#12FFAB\">");
    EXPECT_EQ(GetScheme().bgcolor, 0x00ABFF12u);
    EXPECT_EQ(Grid()->GetSelection(), cell) << "the selected swatch takes the colour";
    EXPECT_EQ(Grid()->GetSelectedColour(), 0xABFF12u);
    EXPECT_TRUE(WaitFor([&] {
        return PixelAt(Grid(), CellCentre(cell).x, CellCentre(cell).y) == wxColour(0x12, 0xFF, 0xAB);
    })) << "the swatch shows it";
    const std::string line = std::to_string(0xABFF12) + "\r\n";
    EXPECT_NE(PaletteOf(Page()).find(line), std::string::npos) << "the palette carries the changed swatch";
}

TEST_F(BgcolorPage, TextThatIsNoNumberInRangeCountsAs255AndStaysInTheBox)
{
    struct Row
    {
        const char* typed;
        const char* hex;
    };
    const Row rows[] = {{"300", "#FF0000"}, {"", "#FF0000"}, {"7", "#070000"}, {"256", "#FF0000"}, {"255", "#FF0000"}};
    MakeExplicit({"0", "0", "0"});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        Box(IDC_RED)->SetValue(row.typed);
        Pump();
        EXPECT_EQ(Box(IDC_RED)->GetValue(), row.typed);
        EXPECT_EQ(Hex(), row.hex);
        EXPECT_EQ(Tag(), std::string("<body bgcolor=\"") + row.hex + "\">");
    }
}

TEST_F(BgcolorPage, SteppingStopsAt0And255)
{
    MakeExplicit({"254", "1", "0"});
    Click(Box(IDC_RED));
    wxUIActionSimulator sim;
    for (int i = 0; i < 3; ++i)
        sim.Char(WXK_UP);
    EXPECT_TRUE(WaitFor([&] { return Box(IDC_RED)->GetValue() == "255"; })) << Box(IDC_RED)->GetValue();

    Click(Box(IDC_GREEN));
    for (int i = 0; i < 3; ++i)
        sim.Char(WXK_DOWN);
    EXPECT_TRUE(WaitFor([&] { return Box(IDC_GREEN)->GetValue() == "0"; })) << Box(IDC_GREEN)->GetValue();

    // The arrows of the control itself: the lower half steps down.
    wxWindow* spin = Control(IDC_BLUE_SPIN);
    sim.MouseMove(spin->GetScreenPosition() + wxPoint(spin->GetSize().x / 2, spin->GetSize().y * 3 / 4));
    Pump(20);
    sim.MouseClick();
    Pump(50);
    EXPECT_EQ(Box(IDC_BLUE)->GetValue(), "0");
    EXPECT_EQ(Hex(), "#FF0000");
    EXPECT_EQ(Tag(), "<body bgcolor=\"#FF0000\">");
}

// --- grid ------------------------------------------------------------------

TEST_F(BgcolorPage, SwatchClickSetsTheFieldsAndTheTagAndFocusesTheGrid)
{
    ClickDefault();
    Click(Box(IDC_RED)); // the focus elsewhere first
    wxUIActionSimulator sim;
    // Default palette, cell (2, 3): reading position 47, red 0xFF, green
    // and blue 0x33.
    sim.MouseMove(CellCentreOnScreen({2, 3}));
    Pump(20);
    sim.MouseClick();
    Pump(50);

    EXPECT_EQ(Grid()->GetSelection(), (GridCell{2, 3}));
    EXPECT_EQ(ShownValues(), (Values{"255", "51", "51"}));
    EXPECT_EQ(Hex(), "#FF3333");
    EXPECT_EQ(Tag(), "<body bgcolor=\"#FF3333\">");
    EXPECT_EQ(wxWindow::FindFocus(), Grid());
}

TEST_F(BgcolorPage, ArrowKeysOnTheGridMoveTheCurrentColour)
{
    ClickDefault();
    Click(Grid());
    const GridCell start = Grid()->GetSelection();
    wxUIActionSimulator().Char(WXK_RIGHT);
    ASSERT_TRUE(WaitFor([&] { return !(Grid()->GetSelection() == start); }));
    const COLORREF colour = Grid()->GetSelectedColour();
    EXPECT_EQ(ShownValues(),
              (Values{std::to_string(RedOf(colour)), std::to_string(GreenOf(colour)), std::to_string(BlueOf(colour))}));
    EXPECT_EQ(GetScheme().bgcolor, colour);
}

// --- default mark ------------------------------------------------------------

TEST_F(BgcolorPage, DefautRemovesTheAttributeKeepsTheRgbAndFreezesTheGrid)
{
    MakeExplicit({"18", "52", "86"});
    ExpectColourControlsEnabled(m_page, true);
    EXPECT_EQ(Tag(), "<body bgcolor=\"#123456\">");
    const wxImage before = CaptureClient(Grid());

    ClickDefault();
    EXPECT_TRUE(IsChecked(IDC_DEFAULT));
    EXPECT_EQ(Tag(), "<body>");
    EXPECT_EQ(GetScheme().bgcolor, 0xFF563412u);
    EXPECT_EQ(ShownValues(), (Values{"18", "52", "86"}));
    EXPECT_EQ(Hex(), "#123456");
    ExpectColourControlsEnabled(m_page, false);
    const wxImage after = CaptureClient(Grid());
    EXPECT_FALSE(
        before.IsOk() && after.IsOk() && before.GetSize() == after.GetSize() &&
        std::equal(before.GetData(), before.GetData() + before.GetWidth() * before.GetHeight() * 3, after.GetData()))
        << "a disabled grid looks disabled";

    // A click on the disabled grid selects nothing.
    const GridCell selected = Grid()->GetSelection();
    Click(Grid());
    EXPECT_EQ(Grid()->GetSelection(), selected);

    ClickDefault();
    EXPECT_EQ(Tag(), "<body bgcolor=\"#123456\">");
    ExpectColourControlsEnabled(m_page, true);
}

TEST_F(LinksPage, EachLinkColourCarriesItsOwnDefaultMark)
{
    ClickDefault(); // link explicit
    EXPECT_EQ(Tag(), "<body link=\"#0000FF\">");

    Click(Control(IDC_VLINK));
    EXPECT_TRUE(IsChecked(IDC_DEFAULT)) << "vlink is still default";
    ExpectColourControlsEnabled(m_page, false);
    EXPECT_EQ(Tag(), "<body link=\"#0000FF\">");

    ClickDefault();            // vlink explicit too
    Click(Control(IDC_VLINK)); // pressing the pressed button keeps it pressed
    EXPECT_TRUE(Control<wxToggleButton>(IDC_VLINK)->GetValue());
    EXPECT_EQ(PressedLinks(), 1);
    EXPECT_FALSE(IsChecked(IDC_DEFAULT));

    Click(Control(IDC_ALINK));
    EXPECT_TRUE(IsChecked(IDC_DEFAULT));
    Click(Control(IDC_LINK));
    EXPECT_FALSE(IsChecked(IDC_DEFAULT));
    ExpectColourControlsEnabled(m_page, true);
    EXPECT_EQ(ShownValues(), (Values{"0", "0", "255"}));
    EXPECT_EQ(GetScheme().link, 0x00FF0000u);
    EXPECT_EQ(GetScheme().vlink, 0x00990099u);
    EXPECT_EQ(GetScheme().alink, 0xFF0000FFu);
    EXPECT_EQ(Tag(), "<body link=\"#0000FF\" vlink=\"#990099\">");
    SaveScreenshot(m_dlg, "colour-page-113-explicit");
}

// --- options -----------------------------------------------------------------

TEST_F(BgcolorPage, InputBaseSwitchesEveryPagesBoxesAndKeepsColourAndTag)
{
    MakeExplicit({"171", "205", "239"});
    const std::string tag = Tag();
    const std::string palette = PaletteOf(Page());

    SendMenuCommand(m_dlg, ID_OPTION_INPUT_HEX);
    EXPECT_EQ(ShownValues(), (Values{"AB", "CD", "EF"}));
    EXPECT_EQ(ValuesOf(Page(2)), (Values{"0", "0", "FF"}));
    EXPECT_EQ(Tag(), tag);
    EXPECT_EQ(PaletteOf(Page()), palette);

    // Stepping counts in base 16 too.
    Click(Box(IDC_GREEN));
    wxUIActionSimulator().Char(WXK_UP);
    EXPECT_TRUE(WaitFor([&] { return Box(IDC_GREEN)->GetValue() == "CE"; })) << Box(IDC_GREEN)->GetValue();
    EXPECT_EQ(Hex(), "#ABCEEF");

    SendMenuCommand(m_dlg, ID_OPTION_INPUT_HEX);
    EXPECT_EQ(ShownValues(), (Values{"171", "206", "239"}));
    EXPECT_EQ(ValuesOf(Page(2)), (Values{"0", "0", "255"}));
    EXPECT_EQ(Tag(), "<body bgcolor=\"#ABCEEF\">");
}

TEST_F(BgcolorPage, ABoxCountedAs255Shows255OnceTheBaseChanges)
{
    MakeExplicit({"10", "20", "30"});
    Box(IDC_RED)->SetValue("300");
    Pump();
    ASSERT_EQ(Hex(), "#FF141E");
    SendMenuCommand(m_dlg, ID_OPTION_INPUT_HEX);
    EXPECT_EQ(ShownValues(), (Values{"FF", "14", "1E"}));
    EXPECT_EQ(Hex(), "#FF141E");
    EXPECT_EQ(Tag(), "<body bgcolor=\"#FF141E\">");
}

TEST_F(BgcolorPage, HexCaseOptionChangesTheHexBoxAtOnce)
{
    MakeExplicit({"171", "205", "239"});
    EXPECT_EQ(Hex(), "#ABCDEF");
    SendMenuCommand(m_dlg, ID_OPTION_HEX_UPPER);
    EXPECT_EQ(Hex(), "#abcdef");
    EXPECT_EQ(ShownValues(), (Values{"171", "205", "239"}));
    EXPECT_EQ(Box(Page(2), IDC_HEX)->GetValue(), "#0000ff") << "every page follows";
    SendMenuCommand(m_dlg, ID_OPTION_HEX_UPPER);
    EXPECT_EQ(Hex(), "#ABCDEF");
}

TEST_F(BgcolorPage, CopyPutsExactlyTheHexTextOnTheClipboard)
{
    MakeExplicit({"12", "11", "10"});
    for (const char* expected : {"#0C0B0A", "#0c0b0a"}) {
        Click(Control(IDC_COPY_HEX));
        EXPECT_EQ(ClipboardText(), expected);
        SendMenuCommand(m_dlg, ID_OPTION_HEX_UPPER);
    }
}

TEST_F(BgcolorPage, HexBoxTakesATypedColourAndMarksTextThatIsNone)
{
    MakeExplicit({"0", "0", "0"});
    wxTextCtrl* box = Box(IDC_HEX);
    // The error style is a red tint; the theme's own backgrounds are grey or white.
    auto reddish = [&] {
        const wxColour c = PixelAt(box, box->GetClientSize().x - 4, box->GetClientSize().y / 2);
        return c.Red() > c.Green() + 30;
    };
    const struct
    {
        const char* typed;
        int key; // Enter, or Tab to leave the box
        const char* tag;
        bool marked;
    } rows[] = {
        {"#369", WXK_RETURN, "#336699", false},    {"navy", WXK_TAB, "#000080", false},
        {"cc0000", WXK_RETURN, "#CC0000", false},  {"#12345", WXK_RETURN, "#CC0000", true},
        {" White ", WXK_RETURN, "#FFFFFF", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        Type(IDC_HEX, row.typed);
        wxUIActionSimulator().Char(row.key);
        EXPECT_TRUE(WaitFor([&] { return Tag() == std::string("<body bgcolor=\"") + row.tag + "\">"; })) << Tag();
        EXPECT_TRUE(WaitFor([&] { return reddish() == row.marked; }));
        if (!row.marked) {
            EXPECT_EQ(Hex(), row.tag);
        }
    }
    EXPECT_TRUE(m_dlg->IsShown()) << "Enter in the box leaves the window open";
}

// --- colour dialog -------------------------------------------------------------

namespace {

// Answers the colour dialog with OK. check sees what the dialog opened
// with; then the user's choice is left where GTK's colour selection keeps
// it, which is where the dialog reads it on OK: the colour, and one custom
// colour in the palette setting.
class CChooseColour : public wxExpectModalBase<wxColourDialog, CChooseColour>
{
public:
    CChooseColour(std::function<void(const wxColourData&)> check, const wxColour& colour, int slot,
                  const wxColour& custom)
        : m_check(std::move(check)), m_colour(colour), m_nSlot(slot), m_custom(custom)
    {}

protected:
    int OnInvoked(wxColourDialog* dialog) const override
    {
        m_check(dialog->GetColourData());
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        GtkColorSelection* selection = GTK_COLOR_SELECTION(
            gtk_color_selection_dialog_get_color_selection(GTK_COLOR_SELECTION_DIALOG(dialog->m_widget)));
        gtk_color_selection_set_current_rgba(selection, m_colour);

        GtkSettings* settings = gtk_widget_get_settings(GTK_WIDGET(selection));
        gchar* text = nullptr;
        g_object_get(settings, "gtk-color-palette", &text, nullptr);
        GdkColor* colours = nullptr;
        gint count = 0;
        if (gtk_color_selection_palette_from_string(text, &colours, &count) && m_nSlot < count) {
            colours[m_nSlot] = *m_custom.GetColor();
            gchar* changed = gtk_color_selection_palette_to_string(colours, count);
            g_object_set(settings, "gtk-color-palette", changed, nullptr);
            g_free(changed);
        }
        g_free(colours);
        g_free(text);
#pragma GCC diagnostic pop
        return wxID_OK;
    }

private:
    std::function<void(const wxColourData&)> m_check;
    wxColour m_colour;
    int m_nSlot;
    wxColour m_custom;
};

} // namespace

TEST_F(BgcolorPage, CancellingTheColourDialogChangesNothing)
{
    MakeExplicit({"1", "2", "3"});
    const std::string palette = PaletteOf(Page());
    const Scheme scheme = GetScheme();
    const std::string tag = Tag();
    wxCommandEvent click(wxEVT_BUTTON, IDC_EDIT_COLOUR);
    click.SetEventObject(Control(IDC_EDIT_COLOUR));
    wxTEST_DIALOG(Control(IDC_EDIT_COLOUR)->GetEventHandler()->ProcessEvent(click),
                  wxExpectModal<wxColourDialog>(wxID_CANCEL));
    EXPECT_EQ(PaletteOf(Page()), palette);
    EXPECT_EQ(GetScheme(), scheme);
    EXPECT_EQ(Tag(), tag);
    EXPECT_EQ(ShownValues(), (Values{"1", "2", "3"}));
}

TEST_F(BgcolorPage, ColourDialogOkTakesItsColourAndSharesTheCustomColours)
{
    MakeExplicit({"1", "2", "3"});
    auto openOn = [&](wxWindow* page, const CChooseColour& answer) {
        wxCommandEvent click(wxEVT_BUTTON, IDC_EDIT_COLOUR);
        click.SetEventObject(page->FindWindow(IDC_EDIT_COLOUR));
        wxTEST_DIALOG(page->FindWindow(IDC_EDIT_COLOUR)->GetEventHandler()->ProcessEvent(click), answer);
    };

    openOn(m_page, CChooseColour(
                       [](const wxColourData& data) {
                           EXPECT_EQ(data.GetColour(), wxColour(1, 2, 3)) << "opens on the current colour";
                           EXPECT_TRUE(data.GetChooseFull());
                           for (int i = 0; i < wxColourData::NUM_CUSTOM; ++i)
                               EXPECT_EQ(data.GetCustomColour(i), *wxWHITE) << "custom colour " << i;
                       },
                       wxColour(0x80, 0x40, 0x20), 4, wxColour(9, 8, 7)));
    EXPECT_EQ(Grid()->GetSelectedColour(), 0x204080u);
    EXPECT_EQ(ShownValues(), (Values{"128", "64", "32"}));
    EXPECT_EQ(Hex(), "#804020");
    EXPECT_EQ(Tag(), "<body bgcolor=\"#804020\">");
    EXPECT_EQ(wxWindow::FindFocus(), Grid());

    // Another page's dialog sees the same custom colours.
    m_dlg->GetTabs()->SetSelection(1);
    Pump(50);
    ClickDefault();
    bool opened = false;
    openOn(Page(1), CChooseColour(
                        [&](const wxColourData& data) {
                            opened = true;
                            EXPECT_EQ(data.GetColour(), *wxBLACK);
                            EXPECT_EQ(data.GetCustomColour(4), wxColour(9, 8, 7));
                            EXPECT_EQ(data.GetCustomColour(3), *wxWHITE);
                        },
                        *wxBLACK, 0, *wxWHITE));
    EXPECT_TRUE(opened);
}

// --- palettes ------------------------------------------------------------------

TEST_F(BgcolorPage, LoadPaletteKeepsTheCurrentColourSelected)
{
    MakeExplicit({"255", "255", "255"});
    ASSERT_EQ(Grid()->GetSelectedColour(), 0xFFFFFFu);
    const std::string tag = Tag();

    // White only at (6, 10) in the new palette.
    Page()->LoadPalette(MakePalette([](GridCell c) {
        return c == GridCell{6, 10} ? COLORREF(0xFFFFFF) : DistinctColour(c);
    }));
    EXPECT_EQ(Grid()->GetSelection(), (GridCell{6, 10}));
    EXPECT_EQ(Grid()->GetColour({14, 14}), DistinctColour({14, 14}));
    EXPECT_EQ(ShownValues(), (Values{"255", "255", "255"}));
    EXPECT_EQ(Tag(), tag);

    // No white at all: it goes into the last cell.
    Page()->LoadPalette(MakePalette(DistinctColour));
    EXPECT_EQ(Grid()->GetSelection(), (GridCell{14, 14}));
    EXPECT_EQ(Grid()->GetSelectedColour(), 0xFFFFFFu);

    // The default palette: the selected cell holds white there too.
    Page()->ResetPalette();
    EXPECT_EQ(Grid()->GetSelection(), (GridCell{14, 14}));
    EXPECT_EQ(Grid()->GetColour({0, 0}), 0u);
    EXPECT_EQ(Tag(), tag);
}

TEST_F(BgcolorPage, APaletteLoadsBeforeThePageWindowExists)
{
    CPageColour page(m_dlg, IDS_INFO_BGCOLOR);
    const CTextBuffer palette = MakePalette(DistinctColour);
    page.LoadPalette(palette);
    // Black, the first selected colour, was not in it: it took the last cell.
    const CTextBuffer expected = MakePalette([](GridCell c) { return c == GridCell{14, 14} ? 0u : DistinctColour(c); });
    EXPECT_EQ(PaletteOf(&page), std::string(expected.View()));
    page.ResetPalette();
    EXPECT_EQ(PaletteOf(&page), std::string(CPaletteGridLogic().GetPaletteText().View()));
}

TEST_F(BgcolorPage, AStoredColourThePaletteLacksGoesIntoTheLastDuplicate)
{
    // On the default palette the spare whites of the bottom row are used up
    // from the right.
    struct Row
    {
        COLORREF stored;
        GridCell cell;
        Values values;
    };
    const Row rows[] = {
        {0x00563412, {14, 14}, {"18", "52", "86"}},
        {0x00010203, {13, 14}, {"3", "2", "1"}},
        {0xFF0A0B0C, {12, 14}, {"12", "11", "10"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stored);
        GetScheme().bgcolor = row.stored;
        m_dlg->RefreshPages();
        EXPECT_EQ(Grid()->GetSelection(), row.cell);
        EXPECT_EQ(Grid()->GetSelectedColour(), row.stored & kRgbMask);
        EXPECT_EQ(ShownValues(), row.values);
        EXPECT_EQ(IsChecked(IDC_DEFAULT), IsDefaultColour(row.stored));
        EXPECT_EQ(GetScheme().bgcolor, row.stored) << "stored back unchanged";
    }
    EXPECT_EQ(Grid()->GetColour({14, 14}), 0x563412u) << "earlier ones stay in the palette";
}

// --- eyedropper ----------------------------------------------------------------

namespace {

constexpr COLORREF kTarget = 0x563412; // red 0x12, green 0x34, blue 0x56

class Eyedropper : public BgcolorPage
{
protected:
    void SetUp() override
    {
        BgcolorPage::SetUp();
        MakeExplicit({"1", "2", "3"});
        // Away from where the picker opens.
        m_target = ShowColourTarget(wxRect(1050, 800, 150, 150), wxColour(0x12, 0x34, 0x56));
    }
    void TearDown() override
    {
        m_target->Destroy();
        BgcolorPage::TearDown();
    }

    static CScreenPickerDlg* FindPicker()
    {
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* picker = dynamic_cast<CScreenPickerDlg*>(window); picker && picker->IsModal())
                return picker;
        return nullptr;
    }

    // Presses "&Pipette" (the button's own event: the pointer must stay on
    // the target); step runs every 50 ms inside the picker's loop until it
    // returns true. A picker left open ends with wxID_ABORT after 10 s.
    void RunPipette(const std::function<bool(CScreenPickerDlg&)>& step)
    {
        wxTimer driver;
        int ticks = 0;
        bool done = false;
        driver.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            ++ticks;
            CScreenPickerDlg* picker = FindPicker();
            if (!picker)
                return;
            if (!done)
                done = step(*picker);
            if (ticks > 200) {
                ADD_FAILURE() << "the picker did not end";
                picker->EndModal(wxID_ABORT);
            }
        });
        driver.Start(50);
        CAllowModal allow;
        wxCommandEvent click(wxEVT_BUTTON, IDC_PIPETTE);
        click.SetEventObject(Control(IDC_PIPETTE));
        Control(IDC_PIPETTE)->GetEventHandler()->ProcessEvent(click);
        driver.Stop();
        Pump(50);
    }

    wxFrame* m_target = nullptr;
};

} // namespace

TEST_F(Eyedropper, EnterTakesTheScreenColourIntoGridFieldsAndTag)
{
    const wxRect pageRect = m_page->GetScreenRect();
    const GridCell cell = Grid()->GetSelection();
    bool ownerHidden = false;
    wxRect opened;
    RunPipette([&](CScreenPickerDlg& picker) {
        ownerHidden = !m_dlg->IsShown();
        opened = picker.GetRect();
        if (picker.GetSampledColour() != kTarget)
            return false;
        SaveScreenshot(&picker, "colour-page-picker");
        SendKeyTo(&picker, WXK_RETURN);
        return true;
    });
    EXPECT_TRUE(ownerHidden) << "the main window is hidden while the picker runs";
    EXPECT_EQ(opened.GetPosition(), wxPoint(pageRect.x + pageRect.width / 2 - opened.width / 2,
                                            pageRect.y + pageRect.height / 2 - opened.height / 2))
        << "centred on the page";
    EXPECT_TRUE(m_dlg->IsShown());
    EXPECT_EQ(Grid()->GetSelection(), cell);
    EXPECT_EQ(Grid()->GetSelectedColour(), kTarget);
    EXPECT_EQ(ShownValues(), (Values{"18", "52", "86"}));
    EXPECT_EQ(Hex(), "#123456");
    EXPECT_EQ(Tag(), "<body bgcolor=\"#123456\">");
}

TEST_F(Eyedropper, EscapeChangesNothingAndShowsTheMainWindowAgain)
{
    const std::string palette = PaletteOf(Page());
    const std::string tag = Tag();
    bool ownerHidden = false;
    RunPipette([&](CScreenPickerDlg& picker) {
        ownerHidden = !m_dlg->IsShown();
        if (picker.GetSampledColour() != kTarget)
            return false;
        SendKeyTo(&picker, WXK_ESCAPE);
        return true;
    });
    EXPECT_TRUE(ownerHidden);
    EXPECT_TRUE(m_dlg->IsShown());
    EXPECT_EQ(PaletteOf(Page()), palette);
    EXPECT_EQ(ShownValues(), (Values{"1", "2", "3"}));
    EXPECT_EQ(Tag(), tag);
}

// --- pages without controls ----------------------------------------------------

namespace {

// What a page's controls show, in template order: the text of every box, the
// state of every check box and push-like button, and which are disabled.
std::vector<std::string> ShownOn(wxWindow* page, int templateId)
{
    std::vector<std::string> shown;
    for (const ControlTemplate& c : FindDialogTemplate(templateId)->controls) {
        wxWindow* control = c.id > 0 ? page->FindWindow(c.id) : nullptr;
        if (!control)
            continue;
        std::string line = std::to_string(c.id);
        if (auto* text = dynamic_cast<wxTextCtrl*>(control))
            line += " " + text->GetValue().utf8_string();
        else if (auto* check = dynamic_cast<wxCheckBox*>(control))
            line += check->GetValue() ? " checked" : "";
        else if (auto* toggle = dynamic_cast<wxToggleButton*>(control))
            line += toggle->GetValue() ? " pressed" : "";
        shown.push_back(line + (control->IsEnabled() ? "" : " disabled"));
    }
    return shown;
}

} // namespace

// A page that gets its controls at its first display ends where a page made
// with them from the start ends: scheme, palettes, tag and what it shows.
TEST(HiddenPages, EndWhereTheyWouldHaveWithControlsFromTheStart)
{
    constexpr int kTemplates[] = {IDD_PAGE_COLOUR, IDD_PAGE_COLOUR, IDD_PAGE_COLOUR, IDD_PAGE_BACKGROUND,
                                  IDD_PAGE_MARGINS};
    CBodyTagDlg* early = new CBodyTagDlg;
    CBodyTagDlg* late = new CBodyTagDlg;
    for (int tab = 0; tab < 5; ++tab)
        static_cast<CPage*>(early->GetTabs()->GetPage(tab))->BuildControls();

    // Imports (odd top bytes and out-of-range margins included), options and
    // a palette that lacks the page's colour.
    const std::function<void(CBodyTagDlg*)> steps[] = {
        [](CBodyTagDlg* dlg) {
            Scheme& scheme = dlg->GetScheme();
            scheme.text = 0x02123456;
            scheme.link = 0xFF00AB00;
            scheme.vlink = 0x01000099;
            scheme.topmargin = 150;
            scheme.sidemargin = -1;
            scheme.useback = 2;
            dlg->RefreshPages();
        },
        [](CBodyTagDlg* dlg) { SendMenuCommand(dlg, ID_OPTION_INPUT_HEX); },
        [](CBodyTagDlg* dlg) { dlg->GetColourPage(1)->LoadPalette(MakePalette(DistinctColour)); },
        [](CBodyTagDlg* dlg) {
            dlg->GetScheme().text = 0x000102;
            dlg->GetScheme().sidemargin = 70000;
            dlg->RefreshPages();
        },
        [](CBodyTagDlg* dlg) { SendMenuCommand(dlg, ID_OPTION_HEX_UPPER); },
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        steps[i](early);
        steps[i](late);
        EXPECT_EQ(late->GetScheme(), early->GetScheme());
        EXPECT_EQ(late->GetBodyCode(), early->GetBodyCode());
        for (int tab : {0, 1, 2})
            EXPECT_EQ(PaletteOf(late->GetColourPage(tab)), PaletteOf(early->GetColourPage(tab))) << "tab " << tab;
    }
    for (int tab = 0; tab < 5; ++tab) {
        late->GetTabs()->SetSelection(tab);
        EXPECT_EQ(ShownOn(late->GetTabs()->GetPage(tab), kTemplates[tab]),
                  ShownOn(early->GetTabs()->GetPage(tab), kTemplates[tab]))
            << "tab " << tab;
    }
    EXPECT_EQ(late->GetScheme(), early->GetScheme());
    early->Destroy();
    late->Destroy();
    Pump();
}
