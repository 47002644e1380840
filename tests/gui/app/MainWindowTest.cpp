#include "Harness.h"
#include "app/BodyTagDlg.h"
#include "platform/ClipboardOwner.h"
#include "res/ResourceIds.h"
#include "res/Templates.h"
#include "ui/MenuIds.h"

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/settings.h>
#include <wx/stattext.h>
#include <wx/testing.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <utility>
#include <vector>

// Xlib last: its macros clash with other headers.
#include <X11/Xlib.h>

using namespace VelloranTest;

namespace {

class MainWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dlg = new CBodyTagDlg;
        m_dlg->Show();
        ASSERT_TRUE(WaitFor([&] { return m_dlg->IsShownOnScreen(); }));
        Pump(100);
    }
    void TearDown() override
    {
        m_dlg->Destroy();
        Pump();
    }

    wxString BoxText() const { return m_dlg->GetBodyCodeBox()->GetValue(); }
    static wxString ClipboardText()
    {
        wxTextDataObject data;
        if (wxTheClipboard->Open()) {
            wxTheClipboard->GetData(data);
            wxTheClipboard->Close();
        }
        return data.GetText();
    }

    // Rows of the preview where a pixel of exactly this colour shows.
    std::vector<int> RowsWithColour(const wxImage& image, const wxColour& colour)
    {
        std::vector<int> rows;
        for (int y = 0; y < image.GetHeight(); ++y) {
            for (int x = 0; x < image.GetWidth(); ++x) {
                if (image.GetRed(x, y) == colour.Red() && image.GetGreen(x, y) == colour.Green() &&
                    image.GetBlue(x, y) == colour.Blue()) {
                    rows.push_back(y);
                    break;
                }
            }
        }
        return rows;
    }

    CBodyTagDlg* m_dlg = nullptr;
};

} // namespace

TEST_F(MainWindow, ShowsItsCaptionTabsMenuAndTag)
{
    EXPECT_EQ(m_dlg->GetTitle().utf8_string(), "Velloran v2.0");
    const char* tabs[] = {"bgcolor", "text", "links", "background", "margins"};
    ASSERT_EQ(m_dlg->GetTabs()->GetPageCount(), 5u);
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(m_dlg->GetTabs()->GetPageText(i).utf8_string(), tabs[i]);
    EXPECT_EQ(m_dlg->GetTabs()->GetSelection(), 0);

    wxMenuBar* bar = m_dlg->GetMenuBar();
    const auto menus = FindMenuTemplate(IDR_MENU_MAIN);
    ASSERT_EQ(bar->GetMenuCount(), menus.size());
    for (size_t m = 0; m < menus.size(); ++m) {
        EXPECT_EQ(bar->GetMenuLabel(m).utf8_string(), menus[m].title);
        for (const MenuItemTemplate& item : menus[m].items) {
            if (item.id == 0)
                continue;
            wxMenuItem* made = bar->FindItem(ToWxMenuId(item.id));
            ASSERT_NE(made, nullptr) << item.label;
            EXPECT_EQ(made->GetItemLabel().BeforeFirst('\t').utf8_string(), item.label);
            EXPECT_EQ(made->IsCheckable(), item.checkable) << item.label;
            if (item.checkable) {
                EXPECT_EQ(made->IsChecked(), item.checked) << item.label;
            }
        }
    }
    EXPECT_EQ(m_dlg->FindWindow(IDC_BODY_CODE_LABEL)->GetLabel().utf8_string(), "B&ody Code:");
    EXPECT_EQ(m_dlg->FindWindow(IDC_COPY_CODE)->GetLabel().utf8_string(), "&Copier le code");
    EXPECT_EQ(BoxText(), "<body>");
    EXPECT_FALSE(m_dlg->GetBodyCodeBox()->IsEditable());
    SaveScreenshot(m_dlg, "main-window");
}

TEST_F(MainWindow, BodyCodeBoxIsRewrittenOnlyWhenTheTagChanges)
{
    int writes = 0;
    m_dlg->GetBodyCodeBox()->Bind(wxEVT_TEXT, [&](wxCommandEvent&) { ++writes; });
    m_dlg->GetScheme().bgcolor = 0x00FFFFFF;
    m_dlg->UpdateBodyCode();
    m_dlg->UpdateBodyCode();
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(BoxText(), "<body bgcolor=\"#FFFFFF\">");
}

TEST_F(MainWindow, CaseOptionsChangeTheTagAtOnceInputBaseDoesNot)
{
    m_dlg->GetScheme().bgcolor = 0x00ABCDEF;
    m_dlg->UpdateBodyCode();
    EXPECT_EQ(BoxText(), "<body bgcolor=\"#EFCDAB\">");

    SendMenuCommand(m_dlg, ID_OPTION_HEX_UPPER);
    EXPECT_EQ(BoxText(), "<body bgcolor=\"#efcdab\">");
    SendMenuCommand(m_dlg, ID_OPTION_TAGS_UPPER);
    EXPECT_EQ(BoxText(), "<BODY BGCOLOR=\"#efcdab\">");
    SendMenuCommand(m_dlg, ID_OPTION_INPUT_HEX);
    EXPECT_TRUE(m_dlg->IsOptionChecked(ID_OPTION_INPUT_HEX));
    EXPECT_EQ(BoxText(), "<BODY BGCOLOR=\"#efcdab\">");
}

TEST_F(MainWindow, CopyPutsExactlyTheTagOnTheClipboard)
{
    m_dlg->GetScheme().text = 0x00000080;
    m_dlg->UpdateBodyCode();
    wxCommandEvent click(wxEVT_BUTTON, IDC_COPY_CODE);
    click.SetEventObject(m_dlg->FindWindow(IDC_COPY_CODE));
    m_dlg->FindWindow(IDC_COPY_CODE)->GetEventHandler()->ProcessEvent(click);
    Pump(50);

    EXPECT_EQ(ClipboardText(), "<body text=\"#800000\">");

    // Held until another program copies: only then is there nothing to hand
    // to a clipboard manager at exit.
    EXPECT_TRUE(OwnsClipboard());
    Display* other = XOpenDisplay(nullptr);
    ASSERT_NE(other, nullptr);
    const Window window = XCreateSimpleWindow(other, DefaultRootWindow(other), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(other, XInternAtom(other, "CLIPBOARD", False), window, CurrentTime);
    XSync(other, False);
    Pump(50);
    EXPECT_FALSE(OwnsClipboard());
    XCloseDisplay(other);
}

TEST_F(MainWindow, ShortcutsWorkFromTheBoxesAndLeaveThemCopyAndPaste)
{
    m_dlg->GetScheme().bgcolor = 0x00000081;
    m_dlg->RefreshPages();
    m_dlg->Raise();
    auto* hex = static_cast<wxTextCtrl*>(m_dlg->GetTabs()->GetPage(0)->FindWindow(IDC_HEX));
    wxUIActionSimulator sim;
    sim.MouseMove(hex->GetScreenRect().GetPosition() + hex->GetSize() / 2);
    Pump(20);
    sim.MouseClick();
    ASSERT_TRUE(WaitFor([&] { return hex->HasFocus(); }));
    sim.Char('c', wxMOD_CONTROL | wxMOD_SHIFT);
    EXPECT_TRUE(WaitFor([&] { return ClipboardText() == "<body bgcolor=\"#810000\">"; })) << ClipboardText();
    hex->SelectAll();
    sim.Char('c', wxMOD_CONTROL);
    EXPECT_TRUE(WaitFor([&] { return ClipboardText() == hex->GetValue(); })) << "Ctrl+C copies the box's text";

    for (int key : {'o', 'e'}) {
        wxTEST_DIALOG((sim.Char(key, wxMOD_CONTROL), Pump(300)), wxExpectModal<wxFileDialog>(wxString(), wxID_CANCEL));
    }
    sim.Char('q', wxMOD_CONTROL);
    EXPECT_TRUE(WaitFor([&] { return !wxTopLevelWindows.Find(m_dlg); }));
    m_dlg = new CBodyTagDlg; // for TearDown
}

TEST_F(MainWindow, AltKeysReachMenusAndMnemonicsFromTheValueBoxes)
{
    int menusOpened = 0;
    m_dlg->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent&) { ++menusOpened; });
    wxUIActionSimulator sim;
    for (const auto& [tab, box] : {std::pair{0, IDC_RED}, std::pair{4, IDC_SIDE_VALUE}}) {
        SCOPED_TRACE(box);
        m_dlg->GetTabs()->SetSelection(size_t(tab));
        m_dlg->Raise();
        m_dlg->GetTabs()->GetPage(size_t(tab))->FindWindow(box)->SetFocus();
        Pump(100);
        const int before = menusOpened;
        sim.Char('f', wxMOD_ALT);
        EXPECT_TRUE(WaitFor([&] { return menusOpened > before; }));
        sim.Char(WXK_ESCAPE);
        Pump(200);
    }
    m_dlg->GetTabs()->SetSelection(0);
    wxWindow* page = m_dlg->GetTabs()->GetPage(0);
    page->FindWindow(IDC_RED)->SetFocus();
    Pump(100);
    auto* defaut = static_cast<wxCheckBox*>(page->FindWindow(IDC_DEFAULT));
    const bool was = defaut->GetValue();
    sim.Char('d', wxMOD_ALT);
    EXPECT_TRUE(WaitFor([&] { return defaut->GetValue() != was; })) << "the mnemonic of \"&Defaut\"";
}

TEST_F(MainWindow, EveryOneLineLabelShowsItsWholeText)
{
    std::vector<wxWindow*> parents{m_dlg->GetBodyCodeBox()->GetParent()};
    for (size_t tab = 0; tab < m_dlg->GetTabs()->GetPageCount(); ++tab)
        parents.push_back(m_dlg->GetTabs()->GetPage(tab));
    for (wxWindow* parent : parents) {
        for (wxWindow* child : parent->GetChildren()) {
            auto* label = dynamic_cast<wxStaticText*>(child);
            if (!label || !label->IsShown() || label->GetSize().y > 2 * label->GetCharHeight())
                continue;
            SCOPED_TRACE(label->GetLabel().utf8_string());
            EXPECT_GE(label->GetSize().x, label->GetBestSize().x);
            for (wxWindow* other : parent->GetChildren()) {
                if (other != label && other->IsShown() && !dynamic_cast<wxNotebook*>(other)) {
                    EXPECT_FALSE(label->GetRect().Intersects(other->GetRect())) << other->GetId();
                }
            }
        }
    }
    m_dlg->GetTabs()->SetSelection(3);
    Pump(100);
    SaveScreenshot(m_dlg, "main-window-background");
}

TEST_F(MainWindow, BodyCodeBoxWrapsALongTag)
{
    Scheme& scheme = m_dlg->GetScheme();
    scheme.bgcolor = scheme.text = scheme.link = scheme.vlink = scheme.alink = 0x00123456;
    m_dlg->UpdateBodyCode();
    Pump(100);
    wxTextCtrl* box = m_dlg->GetBodyCodeBox();
    const wxPoint first = box->PositionToCoords(0);
    const wxPoint last = box->PositionToCoords(box->GetLastPosition() - 1);
    EXPECT_GT(last.y, first.y) << "on more than one line";
    EXPECT_LT(last.x, box->GetClientSize().x) << "nothing beyond the right edge";
    SaveScreenshot(m_dlg, "main-window-long-tag");
}

TEST_F(MainWindow, CssCommandCopiesTheStylesheetAndTheOptionAddsTheStyle)
{
    m_dlg->GetScheme().text = 0x00000080;
    m_dlg->GetScheme().useback = 1;
    m_dlg->GetScheme().background = "fond \xC3\xA9t\xC3\xA9.gif";
    m_dlg->UpdateBodyCode();
    wxTheClipboard->Open();
    wxTheClipboard->SetData(new wxTextDataObject("before"));
    wxTheClipboard->Close();

    SendMenuCommand(m_dlg, ID_FILE_COPY_CSS);
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTextDataObject data;
    EXPECT_TRUE(wxTheClipboard->GetData(data));
    wxTheClipboard->Close();
    EXPECT_EQ(data.GetText().utf8_string(),
              "body {\n  color: #800000;\n  background-image: url(\"fond \xC3\xA9t\xC3\xA9.gif\");\n}\n");

    const std::string tag = "<body text=\"#800000\" background=\"fond \xC3\xA9t\xC3\xA9.gif\"";
    EXPECT_EQ(BoxText().utf8_string(), tag + ">");
    SendMenuCommand(m_dlg, ID_OPTION_CSS_STYLE);
    EXPECT_EQ(BoxText().utf8_string(),
              tag + " style=\"color: #800000; background-image: url('fond \xC3\xA9t\xC3\xA9.gif')\">");
    SendMenuCommand(m_dlg, ID_OPTION_CSS_STYLE);
    EXPECT_EQ(BoxText().utf8_string(), tag + ">");
}

TEST_F(MainWindow, ContrastLineFollowsEveryChange)
{
    wxWindow* line = m_dlg->GetContrastLine();
    const wxRect preview = m_dlg->GetPreview()->GetScreenRect();
    EXPECT_GT(line->GetScreenRect().GetTop(), preview.GetBottom()) << "under the preview";
    EXPECT_TRUE(m_dlg->GetClientRect().Contains(m_dlg->ScreenToClient(line->GetScreenRect().GetBottomRight())));
    EXPECT_EQ(line->GetLabel().utf8_string(), "Contraste (WCAG) : texte 21:1 AAA \xC2\xB7 lien 9,3:1 AAA \xC2\xB7 "
                                              "visit\xC3\xA9 11:1 AAA \xC2\xB7 actif 3,9:1 \xE2\x9C\x97   "
                                              "\xE2\x9A\xA0 Moins de 4,5:1 : difficile \xC3\xA0 lire")
        << "the browser's colours: the active red fails on white";
    const wxColour warning = line->GetForegroundColour();

    m_dlg->GetScheme().alink = MakeColour(0x77, 0x77, 0x77); // 4.48:1, cut to 4,4
    m_dlg->GetScheme().vlink = MakeColour(0x76, 0x76, 0x76); // 4.54:1
    m_dlg->UpdateBodyCode();
    EXPECT_NE(line->GetLabel().Find(wxString::FromUTF8("visit\xC3\xA9 4,5:1 AA \xC2\xB7 actif 4,4:1 \xE2\x9C\x97")),
              wxNOT_FOUND)
        << line->GetLabel();

    m_dlg->GetScheme().alink = MakeColour(0, 0, 0);
    m_dlg->UpdateBodyCode();
    EXPECT_EQ(line->GetLabel().Find(wxString::FromUTF8("\xE2\x9A\xA0")), wxNOT_FOUND) << line->GetLabel();
    EXPECT_NE(line->GetForegroundColour(), warning) << "no warning colour once every ratio passes";
    m_dlg->GetScheme().bgcolor = MakeColour(0, 0, 0);
    m_dlg->UpdateBodyCode();
    EXPECT_TRUE(line->GetLabel().StartsWith(wxString::FromUTF8("Contraste (WCAG) : texte 1:1 \xE2\x9C\x97")))
        << "default text counts as black: " << line->GetLabel();
    Pump(50);
    SaveScreenshot(m_dlg, "main-window-contrast");
}

TEST_F(MainWindow, EnterAndEscapeLeaveTheWindowOpen)
{
    m_dlg->Raise();
    m_dlg->GetTabs()->SetFocus();
    Pump(50);
    wxUIActionSimulator sim;
    sim.Char(WXK_RETURN);
    sim.Char(WXK_ESCAPE);
    Pump(200);
    EXPECT_TRUE(m_dlg->IsShown());
    EXPECT_FALSE(m_dlg->IsBeingDeleted());
    EXPECT_TRUE(wxTopLevelWindows.Find(m_dlg));
}

TEST_F(MainWindow, PreviewShowsFallbacksAndTheThreeLinkLinesInOrder)
{
    wxWindow* preview = m_dlg->GetPreview();
    const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    EXPECT_EQ(PixelAt(preview, 1, 1), face) << "a default background shows the button face";

    const wxImage image = CaptureClient(preview);
    const auto link = RowsWithColour(image, wxColour(0, 0, 255));
    const auto visited = RowsWithColour(image, wxColour(0x99, 0, 0x99));
    const auto active = RowsWithColour(image, wxColour(255, 0, 0));
    ASSERT_FALSE(link.empty());
    ASSERT_FALSE(visited.empty());
    ASSERT_FALSE(active.empty());
    EXPECT_LT(link.back(), visited.front()) << "the link line stands above the visited line";
    EXPECT_LT(visited.back(), active.front()) << "the active line stands below the visited line";
    EXPECT_FALSE(RowsWithColour(image, *wxBLACK).empty()) << "the sample text in black";

    m_dlg->GetScheme().bgcolor = 0x00FFFFFF;
    m_dlg->UpdateBodyCode();
    EXPECT_TRUE(WaitFor([&] { return PixelAt(preview, 1, 1) == *wxWHITE; })) << PixelAt(preview, 1, 1);

    m_dlg->GetScheme().bgcolor = 0xFFFFFFFF;
    m_dlg->UpdateBodyCode();
    EXPECT_TRUE(WaitFor([&] { return PixelAt(preview, 1, 1) == face; }))
        << "back to default shows the button face, not white: " << PixelAt(preview, 1, 1);
    SaveScreenshot(preview, "preview");
}
