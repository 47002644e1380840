// Context help under a real window: right clicks, F1, the about box's "?"
// mode, the help menu commands and the failure message.
#include "Harness.h"
#include "about/AboutDlg.h"
#include "app/BodyTagDlg.h"
#include "controls/ScreenPickerDlg.h"
#include "help/ContextHelp.h"
#include "help/HelpIds.h"
#include "help/HelpService.h"
#include "pages/Page.h"
#include "res/ResourceIds.h"
#include "res/Templates.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/stattext.h>
#include <wx/testing.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/tipwin.h>
#include <wx/uiaction.h>

#include <filesystem>
#include <fstream>
#include <functional>

using namespace VelloranTest;
namespace fs = std::filesystem;

namespace {

const char* const kHelpFile = VELLORAN_HELP_FILE_SOURCE;

// The message box of a help request that cannot read the help file.
class CExpectHelpFailure : public wxExpectModalBase<wxMessageDialog, CExpectHelpFailure>
{
protected:
    int OnInvoked(wxMessageDialog* box) const override
    {
        EXPECT_EQ(box->GetMessage().utf8_string(), "Echec de l'ouverture du fichier d'aide.");
        return wxID_OK;
    }
};

class Help : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CHelpService::Get().SetHelpFilePath(kHelpFile);
        m_dlg = new CBodyTagDlg;
        wxTheApp->SetTopWindow(m_dlg);
        m_dlg->Show();
        m_dlg->Raise();
        ASSERT_TRUE(WaitFor([&] { return m_dlg->IsShownOnScreen(); }));
        m_dlg->Bind(wxEVT_MENU_OPEN, [this](wxMenuEvent&) { ++m_nMenusOpened; });
        Pump(100);
    }
    void TearDown() override
    {
        m_dlg->Destroy();
        Pump();
        CHelpService::Get().SetHelpFilePath(wxString());
    }

    wxWindow* Page(int tab)
    {
        m_dlg->GetTabs()->SetSelection(tab);
        wxWindow* page = m_dlg->GetTabs()->GetPage(tab);
        EXPECT_TRUE(WaitFor([&] { return page->IsShownOnScreen(); }));
        Pump(50);
        return page;
    }
    static wxPoint Centre(wxWindow* window) { return window->GetScreenRect().GetPosition() + window->GetSize() / 2; }

    // A real right click at the point; while the menu that opens runs its
    // own loop, a timer chooses "&Explications?" (or dismisses the menu).
    void RightClick(const wxPoint& screenPos, bool explain = true)
    {
        wxUIActionSimulator sim;
        sim.MouseMove(screenPos);
        Pump(30);
        wxTimer driver;
        driver.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            if (explain) {
                sim.Char(WXK_DOWN);
                sim.Char(WXK_RETURN);
            } else {
                sim.Char(WXK_ESCAPE);
            }
        });
        driver.StartOnce(300);
        sim.MouseClick(wxMOUSE_BTN_RIGHT);
        Pump(500);
    }

    static std::optional<HelpRequest> LastRequest() { return CHelpService::Get().GetLastRequest(); }
    static bool AskedForPopup(uint32_t id)
    {
        const auto request = LastRequest();
        return request && request->command == HelpCommand::Popup && request->id == id;
    }
    static void ClosePopup()
    {
        CHelpService::Get().Run(nullptr, HelpCommand::Quit, 0);
        Pump(50);
    }

    CBodyTagDlg* m_dlg = nullptr;
    int m_nMenusOpened = 0;
};

// The control of that id among window's own, not among the pages of its tab
// control (the margins page reuses the preview's number).
wxWindow* FindControl(wxWindow* window, int id)
{
    for (wxWindow* child : window->GetChildren()) {
        if (child->GetId() == id)
            return child;
        if (dynamic_cast<wxNotebook*>(child))
            continue;
        if (wxWindow* found = FindControl(child, id))
            return found;
    }
    return nullptr;
}

TEST_F(Help, EveryWindowAndControlCarriesItsIdFromTheStart)
{
    // The windows as the program made them, each with its template; a page
    // gets its controls at its first display.
    CAboutDlg about(m_dlg);
    auto built = [this](int tab) {
        auto* page = static_cast<CPage*>(m_dlg->GetTabs()->GetPage(tab));
        page->BuildControls();
        return page;
    };
    const std::pair<wxWindow*, int> windows[] = {
        {m_dlg, IDD_BODYTAG_DIALOG}, {built(0), IDD_PAGE_COLOUR},     {built(1), IDD_PAGE_COLOUR},
        {built(2), IDD_PAGE_COLOUR}, {built(3), IDD_PAGE_BACKGROUND}, {built(4), IDD_PAGE_MARGINS},
        {&about, IDD_ABOUTBOX},
    };
    for (const auto& [window, templateId] : windows) {
        EXPECT_EQ(GetContextHelpId(window), FindContextHelpId(templateId, kHelpWindowItself)) << templateId;
        for (const ControlTemplate& c : FindDialogTemplate(templateId)->controls) {
            if (c.id <= 0)
                continue;
            wxWindow* control = FindControl(window, c.id);
            ASSERT_NE(control, nullptr) << c.id << " of " << templateId;
            EXPECT_EQ(GetContextHelpId(control), FindContextHelpId(templateId, c.id)) << c.id << " of " << templateId;
        }
    }
}

TEST_F(Help, RightClickRemembersTheIdUnderThePointerAndExplainsIt)
{
    struct Case
    {
        const char* what;
        int tab;
        std::function<wxPoint(wxWindow* page)> where;
        uint32_t id;
    };
    auto control = [](int id) { return [id](wxWindow* page) { return Centre(page->FindWindow(id)); }; };
    // Bottom right of the page, where no control lies.
    auto empty = [](wxWindow* page) { return page->GetScreenRect().GetBottomRight() - wxPoint(4, 4); };
    auto tabStrip = [this](wxWindow*) { return m_dlg->GetTabs()->GetScreenRect().GetTopRight() - wxPoint(8, -6); };
    auto belowTabs = [this](wxWindow*) { return m_dlg->GetTabs()->GetScreenRect().GetBottomLeft() + wxPoint(4, 3); };
    const Case cases[] = {
        {"bgcolor \"&Defaut\"", 0, control(IDC_DEFAULT), 4200305},
        {"text \"&Defaut\"", 1, control(IDC_DEFAULT), 4200305},
        {"links \"&Defaut\"", 2, control(IDC_DEFAULT), 4200305},
        {"links \" &Visité\"", 2, control(IDC_VLINK), 4200304},
        {"colour page's info text", 0, control(IDC_INFO), 4200300},
        {"empty part of the colour page", 1, empty, 4200300},
        {"palette grid", 0, control(IDC_GRID), 4200307},
        {"empty part of the background page", 3, empty, 4200400},
        {"empty part of the margins page", 4, empty, 4200500},
        {"margins label", 4, control(IDC_TOP_LABEL), 4200502},
        {"tab strip", 0, tabStrip, 4200200},
        {"empty part of the main window", 0, belowTabs, 4200200},
        {"preview", 0, [this](wxWindow*) { return Centre(m_dlg->GetPreview()); }, 4200201},
        {"copy button", 0, [this](wxWindow*) { return Centre(m_dlg->FindWindow(IDC_COPY_CODE)); }, 4200202},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RightClick(c.where(Page(c.tab)));
        EXPECT_EQ(m_dlg->GetRememberedHelpId(), c.id);
        EXPECT_TRUE(AskedForPopup(c.id));
        ClosePopup();
    }
}

TEST_F(Help, RightClickOnDisabledControlsStillFindsThem)
{
    wxWindow* colour = Page(0);
    wxWindow* red = colour->FindWindow(IDC_RED);
    red->Disable(); // as "&Defaut" leaves it
    RightClick(Centre(red));
    EXPECT_EQ(m_dlg->GetRememberedHelpId(), 4200301u);
    EXPECT_TRUE(AskedForPopup(4200301));
    ClosePopup();

    wxWindow* background = Page(3);
    const struct
    {
        int control;
        uint32_t id;
    } disabled[] = {{IDC_IMAGE_PATH, 4200403}, {IDC_BROWSE, 4200403}, {IDC_FIXED_IMAGE, 4200402}};
    for (const auto& d : disabled) {
        wxWindow* window = background->FindWindow(d.control);
        window->Disable();
        RightClick(Centre(window), false);
        EXPECT_EQ(m_dlg->GetRememberedHelpId(), d.id) << d.control;
    }
    EXPECT_EQ(m_nMenusOpened, 4);
}

TEST_F(Help, EditBoxesKeepTheirOwnMenuAndTheMenuKeyPassesOn)
{
    wxWindow* hex = Page(0)->FindWindow(IDC_HEX);
    hex->Enable(); // "&Defaut" may have left it disabled
    RightClick(Centre(hex), false);
    RightClick(Centre(m_dlg->GetBodyCodeBox()), false);
    EXPECT_EQ(m_nMenusOpened, 0);
    EXPECT_EQ(m_dlg->GetRememberedHelpId(), 0u);

    // The keyboard's menu key brings no position.
    wxWindow* grid = Page(0)->FindWindow(IDC_GRID);
    wxContextMenuEvent key(wxEVT_CONTEXT_MENU, grid->GetId(), wxDefaultPosition);
    key.SetEventObject(grid);
    EXPECT_FALSE(grid->GetEventHandler()->ProcessEvent(key));
    EXPECT_EQ(m_nMenusOpened, 0);

    // A point outside the window that asks gives nothing.
    EXPECT_EQ(ContextHelpIdAt(grid->GetParent(), m_dlg->GetScreenRect().GetBottomRight() + wxPoint(20, 20)), 0u);
}

TEST_F(Help, F1AsksForTheFocusedControlAndThePopupShowsItsText)
{
    wxWindow* background = Page(3);
    auto* path = static_cast<wxTextCtrl*>(background->FindWindow(IDC_IMAGE_PATH));
    path->Enable();
    path->SetFocus();
    wxUIActionSimulator sim;
    sim.MouseMove(Centre(path));
    Pump(50);
    ASSERT_EQ(wxWindow::FindFocus(), path);
    sim.Char(WXK_F1);
    ASSERT_TRUE(WaitFor([] { return !CHelpService::Get().GetPopupText().empty(); }));
    EXPECT_TRUE(AskedForPopup(4200403));
    EXPECT_EQ(
        CHelpService::Get().GetPopupText().utf8_string(),
        "Le chemin ou l'adresse de l'image d'arrière-plan, tel qu'il sera écrit dans la balise. Le bouton « ... » "
        "permet de choisir un fichier image.");
    SaveScreenshot(CHelpService::Get().GetPopupWindow(), "help-popup");
    ClosePopup();
    EXPECT_TRUE(CHelpService::Get().GetPopupText().empty());
}

TEST_F(Help, EscapeClosesThePopupAndAClosedPopupIsNotClosedAgain)
{
    wxWindow* copy = m_dlg->FindWindow(IDC_COPY_CODE);
    copy->SetFocus();
    wxUIActionSimulator sim;
    sim.MouseMove(Centre(copy));
    Pump(30);
    sim.Char(WXK_F1);
    ASSERT_TRUE(WaitFor([] { return CHelpService::Get().GetPopupWindow() != nullptr; }));
    sim.Char(WXK_ESCAPE);
    EXPECT_TRUE(WaitFor([] { return CHelpService::Get().GetPopupWindow() == nullptr; }));

    // Closed by a click, it waits for the next idle time to be deleted.
    CHelpService::Get().Run(m_dlg, HelpCommand::Popup, 4200202);
    static_cast<wxTipWindow*>(CHelpService::Get().GetPopupWindow())->Close();
    EXPECT_TRUE(CHelpService::Get().GetPopupText().empty());
    ClosePopup();
}

TEST_F(Help, TheHelpCommandsOpenTheTipsAndTheContentsAndCloseWithTheMainWindow)
{
    SendMenuCommand(m_dlg, ID_HELP_TIPS);
    wxFrame* help = CHelpService::Get().GetHelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(LastRequest()->command, HelpCommand::Topic);
    EXPECT_EQ(LastRequest()->id, 4200003u);
    EXPECT_EQ(help->GetTitle().utf8_string(), "Astuces");
    SaveScreenshot(help, "help-tips");

    SendMenuCommand(m_dlg, ID_HELP_FINDER);
    EXPECT_EQ(CHelpService::Get().GetHelpWindow(), help) << "one help window";
    EXPECT_EQ(LastRequest()->command, HelpCommand::Contents);
    EXPECT_EQ(help->GetTitle().utf8_string(), "Aide de Velloran");

    m_dlg->Destroy();
    Pump(50);
    EXPECT_EQ(CHelpService::Get().GetHelpWindow(), nullptr);
    EXPECT_EQ(LastRequest()->command, HelpCommand::Quit);
    m_dlg = new CBodyTagDlg; // for TearDown
}

TEST_F(Help, TheHelpWindowGoesBackByButtonAltLeftAndBackspace)
{
    SendMenuCommand(m_dlg, ID_HELP_FINDER);
    wxFrame* help = CHelpService::Get().GetHelpWindow();
    ASSERT_NE(help, nullptr);
    wxWindow* back = help->FindWindow(wxID_BACKWARD);
    ASSERT_NE(back, nullptr);
    EXPECT_FALSE(back->IsEnabled()) << "nothing to go back to";
    for (uint32_t id : {4200300u, 4200301u, 4200302u})
        CHelpService::Get().Run(help, HelpCommand::Topic, id);
    ASSERT_TRUE(WaitFor([&] { return help->IsShownOnScreen(); }));
    Pump(200);
    SaveScreenshot(help, "help-window");
    auto title = [&] { return help->GetTitle().utf8_string(); };

    wxCommandEvent click(wxEVT_BUTTON, wxID_BACKWARD);
    click.SetEventObject(back);
    back->GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(title(), "Rouge, vert et bleu");
    SendKeyTo(help, WXK_BACK);
    EXPECT_TRUE(WaitFor([&] { return title() == "Onglets de couleur"; })) << title();
    help->Raise();
    wxUIActionSimulator().Char(WXK_LEFT, wxMOD_ALT);
    EXPECT_TRUE(WaitFor([&] { return title() == "Aide de Velloran"; })) << title();
    EXPECT_FALSE(back->IsEnabled());
}

TEST_F(Help, AnIdMissingFromAGoodFileSaysSoWithoutTheFailureMessage)
{
    EXPECT_TRUE(CHelpService::Get().Run(m_dlg, HelpCommand::Popup, 4299999));
    EXPECT_EQ(CHelpService::Get().GetPopupText().utf8_string(), "Aucune aide n'est disponible pour cet élément.");
    EXPECT_TRUE(CHelpService::Get().Run(m_dlg, HelpCommand::Topic, 4299999));
    ASSERT_NE(CHelpService::Get().GetHelpWindow(), nullptr);
    EXPECT_EQ(CHelpService::Get().GetHelpWindow()->GetTitle().utf8_string(), "Aide de Velloran");
    ClosePopup();
}

TEST_F(Help, AnUnreadableHelpFileEndsEveryRequestInTheMessage)
{
    const fs::path broken = fs::temp_directory_path() / "velloran-broken.hlp";
    std::ofstream(broken) << "not a help file\n";
    for (const std::string& path : {std::string("/nonexistent/velloran.hlp"), broken.string()}) {
        SCOPED_TRACE(path);
        CHelpService::Get().SetHelpFilePath(wxString::FromUTF8(path));
        wxTEST_DIALOG(SendMenuCommand(m_dlg, ID_HELP_TIPS), CExpectHelpFailure().Describe("tips"));
        wxTEST_DIALOG(SendMenuCommand(m_dlg, ID_HELP_FINDER), CExpectHelpFailure().Describe("contents"));
        wxTEST_DIALOG(RightClick(Centre(Page(0)->FindWindow(IDC_DEFAULT))), CExpectHelpFailure().Describe("explain"));
        EXPECT_TRUE(AskedForPopup(4200305));

        wxWindow* copy = m_dlg->FindWindow(IDC_COPY_CODE);
        copy->SetFocus();
        wxUIActionSimulator sim;
        sim.MouseMove(Centre(copy));
        Pump(30);
        wxTEST_DIALOG(
            {
                sim.Char(WXK_F1);
                Pump(100);
            },
            CExpectHelpFailure().Describe("F1"));
        EXPECT_TRUE(AskedForPopup(4200202));
        EXPECT_EQ(CHelpService::Get().GetHelpWindow(), nullptr);
        EXPECT_TRUE(CHelpService::Get().GetPopupText().empty());
    }
    fs::remove(broken);
}

TEST_F(Help, TheEyedropperIgnoresHelp)
{
    CHelpService::Get().Run(m_dlg, HelpCommand::Quit, 0);
    CScreenPickerDlg picker(m_dlg);
    wxTimer driver;
    int ticks = 0;
    driver.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        wxUIActionSimulator sim;
        switch (++ticks) {
        case 2:
            sim.MouseMove(Centre(&picker));
            break;
        case 3:
            sim.Char(WXK_F1);
            break;
        case 4: {
            wxHelpEvent request(wxEVT_HELP, picker.GetId(), Centre(&picker), wxHelpEvent::Origin_HelpButton);
            request.SetEventObject(&picker);
            picker.GetEventHandler()->ProcessEvent(request);
            break;
        }
        case 5:
            sim.MouseClick(wxMOUSE_BTN_RIGHT);
            break;
        case 8:
            picker.EndModal(wxID_CANCEL);
            break;
        }
    });
    driver.Start(100);
    {
        CAllowModal allow;
        picker.ShowModal();
    }
    driver.Stop();
    EXPECT_EQ(LastRequest()->command, HelpCommand::Quit);
    EXPECT_EQ(m_nMenusOpened, 0);
}

// The about box, run modally; step(ticks) is called every 100 ms inside its
// loop and ends it by returning true. A box still open later is ended with
// wxID_ABORT, so a lost click fails the test instead of hanging it.
class AboutBox : public Help
{
protected:
    void SetUp() override
    {
        Help::SetUp();
        // The addresses go to a list, never to the desktop's own handlers.
        m_keepOpener = AboutUrlOpener();
        AboutUrlOpener() = [this](const wxString& url) { m_opened += url.utf8_string() + '\n'; };
    }
    void TearDown() override
    {
        AboutUrlOpener() = m_keepOpener;
        Help::TearDown();
    }

    int Run(CAboutDlg& about, const std::function<bool(int)>& step)
    {
        wxTimer driver;
        int ticks = 0;
        driver.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            if (++ticks > 100) {
                driver.Stop();
                about.EndModal(wxID_ABORT);
            } else if (about.IsShownOnScreen() && step(ticks)) {
                driver.Stop();
            }
        });
        driver.Start(100);
        CAllowModal allow;
        return about.ShowModal();
    }
    static void Click(wxWindow* window, int button = wxMOUSE_BTN_LEFT)
    {
        wxUIActionSimulator sim;
        sim.MouseMove(Centre(window));
        wxYield();
        sim.MouseClick(button);
    }
    const std::string& Opened() const { return m_opened; }

    UrlOpener m_keepOpener;
    std::string m_opened;
};

TEST_F(AboutBox, ShowsTheProductTheAddressesAndClosesWithOK)
{
    CAboutDlg about(m_dlg);
    EXPECT_EQ(about.GetTitle().utf8_string(), "About Velloran");
    EXPECT_EQ(static_cast<wxStaticText*>(about.FindWindow(IDC_ABOUT_TITLE))->GetLabelText().utf8_string(),
              "Velloran v2.0");
    EXPECT_EQ(static_cast<wxTextCtrl*>(about.FindWindow(IDC_EMAIL))->GetValue().utf8_string(), "velloran@example.org");
    EXPECT_EQ(static_cast<wxTextCtrl*>(about.FindWindow(IDC_HOMEPAGE))->GetValue().utf8_string(),
              "https://velloran.example.org/");
    const int result = Run(about, [&](int ticks) {
        if (ticks == 3)
            SaveScreenshot(&about, "about-box");
        if (ticks == 4)
            Click(about.FindWindow(IDC_ABOUT_OK));
        return ticks >= 4;
    });
    EXPECT_EQ(result, wxID_OK);
}

TEST_F(AboutBox, ABoxWithoutOwnerIsDestroyedInHelpMode)
{
    auto* about = new CAboutDlg(nullptr);
    about->Show();
    ASSERT_TRUE(WaitFor([&] { return about->IsShownOnScreen(); }));
    Click(about->GetHelpButton());
    ASSERT_TRUE(WaitFor([&] { return about->GetHelpButton()->IsInHelpMode(); }));
    about->Destroy(); // its button goes while the box no longer counts as top-level
    Pump(50);
    EXPECT_EQ(wxTopLevelWindows.Find(about), nullptr);
}

TEST_F(AboutBox, TheCloseBoxCancels)
{
    CAboutDlg about(m_dlg);
    EXPECT_EQ(Run(about,
                  [&](int) {
                      about.Close();
                      return true;
                  }),
              wxID_CANCEL);
}

TEST_F(AboutBox, GoButtonsOpenTheMailProgramAndTheBrowser)
{
    CAboutDlg about(m_dlg);
    Run(about, [&](int ticks) {
        if (ticks == 2)
            Click(about.FindWindow(IDC_GO_MAIL));
        if (ticks == 6)
            Click(about.FindWindow(IDC_GO_HOME));
        if (ticks == 10)
            Click(about.FindWindow(IDC_ABOUT_OK));
        return ticks >= 10;
    });
    EXPECT_EQ(Opened(), "mailto:velloran@example.org\nhttps://velloran.example.org/\n");
}

TEST_F(AboutBox, HelpButtonThenAClickAsksForThatControlInsteadOfWorkingIt)
{
    CAboutDlg about(m_dlg);
    bool helpModeSeen = false;
    Run(about, [&](int ticks) {
        switch (ticks) {
        case 2:
            Click(about.GetHelpButton());
            break;
        case 4:
            helpModeSeen = about.GetHelpButton()->IsInHelpMode();
            Click(about.FindWindow(IDC_GO_MAIL));
            break;
        case 8:
            if (wxWindow* popup = CHelpService::Get().GetPopupWindow())
                SaveScreenshot(popup, "about-help-popup");
            ClosePopup();
            // F1 in the box asks for the focused control.
            about.FindWindow(IDC_HOMEPAGE)->SetFocus();
            wxUIActionSimulator().Char(WXK_F1);
            break;
        case 10:
            EXPECT_TRUE(AskedForPopup(4200102));
            ClosePopup();
            // A right click in the box is remembered by the main window,
            // which shows the popup for "&Explications?".
            Click(about.FindWindow(IDC_ABOUT_OK), wxMOUSE_BTN_RIGHT);
            break;
        case 13: {
            wxUIActionSimulator sim;
            sim.Char(WXK_DOWN);
            sim.Char(WXK_RETURN);
            break;
        }
        case 16:
            EXPECT_TRUE(AskedForPopup(4200103));
            EXPECT_FALSE(CHelpService::Get().GetPopupText().empty());
            // A click dismisses the popup even while the box is modal.
            if (wxWindow* popup = CHelpService::Get().GetPopupWindow())
                Click(popup);
            break;
        case 18:
            EXPECT_TRUE(CHelpService::Get().GetPopupText().empty());
            about.EndModal(wxID_OK);
            return true;
        }
        if (ticks == 6) {
            EXPECT_TRUE(AskedForPopup(4200101));
            EXPECT_FALSE(about.GetHelpButton()->IsInHelpMode());
        }
        return false;
    });
    EXPECT_TRUE(helpModeSeen);
    EXPECT_EQ(m_dlg->GetRememberedHelpId(), 4200103u);
    EXPECT_EQ(Opened(), "") << "the click asked for help and did not work the button";
}

} // namespace
