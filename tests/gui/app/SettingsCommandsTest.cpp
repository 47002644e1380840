#include "Harness.h"
#include "ScratchFiles.h"
#include "app/BodyTagDlg.h"
#include "cli/CommandLine.h"
#include "pages/PageColour.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "store/PaletteFile.h"
#include "store/SettingsStore.h"

#include <gtest/gtest.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include <filesystem>
#include <sstream>

using namespace VelloranTest;
namespace fs = std::filesystem;

namespace {

// Every test starts from an empty settings folder of its own.
class SettingsCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedConfig = getenv("XDG_CONFIG_HOME");
        setenv("XDG_CONFIG_HOME", (m_folder / "config").c_str(), 1);
        m_dlg = Open();
    }
    void TearDown() override
    {
        if (m_dlg)
            m_dlg->Destroy();
        Pump();
        setenv("XDG_CONFIG_HOME", m_savedConfig.c_str(), 1);
    }

    static CBodyTagDlg* Open()
    {
        auto* dlg = new CBodyTagDlg;
        dlg->Show();
        Pump(50);
        return dlg;
    }
    // Closes as the close box does (the window group is stored) and opens a
    // new main window, as a restart would.
    void Restart()
    {
        m_dlg->Close();
        Pump(50);
        m_dlg = Open();
    }
    std::string Tag() const { return m_dlg->GetBodyCodeBox()->GetValue().utf8_string(); }

    CScratchDir m_scratch;
    const fs::path& m_folder = m_scratch.Folder();
    std::string m_savedConfig;
    CBodyTagDlg* m_dlg = nullptr;
};

} // namespace

TEST_F(SettingsCommands, FirstStartUsesTheDefaults)
{
    EXPECT_FALSE(m_dlg->IsOptionChecked(ID_OPTION_TAGS_UPPER));
    EXPECT_TRUE(m_dlg->IsOptionChecked(ID_OPTION_HEX_UPPER));
    EXPECT_FALSE(m_dlg->IsOptionChecked(ID_OPTION_INPUT_HEX));
    EXPECT_FALSE(m_dlg->IsOptionChecked(ID_OPTION_CSS_STYLE));
    EXPECT_TRUE(m_dlg->GetScheme() == Scheme());
    EXPECT_EQ(Tag(), "<body>");
    for (int tab = 0; tab < 3; ++tab)
        EXPECT_EQ(m_dlg->GetColourPage(tab)->GetPaletteText().View().substr(0, 17), "0\r\n26265\r\n65280\r\n");
}

TEST_F(SettingsCommands, StoredSchemeComesBackWithItsDefaultMarks)
{
    Scheme stored;
    stored.bgcolor = 0x00336699;
    stored.text = 0xFF123456; // default, with an RGB of its own
    stored.sidemargin = 7;
    stored.useback = 1;
    stored.background.assign("fond.png");
    m_dlg->GetScheme() = stored;
    SendMenuCommand(m_dlg, ID_FILE_SAVE_DEFAULT);

    m_dlg->GetScheme() = Scheme();
    m_dlg->RefreshPages();
    SendMenuCommand(m_dlg, ID_FILE_LOAD_DEFAULT);
    EXPECT_TRUE(m_dlg->GetScheme() == stored);
    EXPECT_EQ(Tag(), "<body bgcolor=\"#996633\" background=\"fond.png\" leftmargin=\"7\">");
}

TEST_F(SettingsCommands, CommandLineTagIsTheBodyCodeOfTheStoredScheme)
{
    Scheme stored;
    stored.bgcolor = 0x00ABCDEF;
    stored.alink = 0x000000FF;
    stored.vlink = 0xFF123456; // default: left out
    stored.topmargin = 0;
    stored.useback = 1;
    stored.watermark = 1;
    stored.background = "images/Fond d'été.gif";
    m_dlg->GetScheme() = stored;
    SendMenuCommand(m_dlg, ID_FILE_SAVE_DEFAULT);
    m_dlg->GetScheme() = Scheme();
    SendMenuCommand(m_dlg, ID_FILE_LOAD_DEFAULT);

    // Each row toggles one case option in the window, then compares.
    const struct
    {
        int toggle;
        std::vector<std::string> args;
    } rows[] = {
        {0, {"--tag", "--default"}},
        {ID_OPTION_TAGS_UPPER, {"--tag", "--default", "--upper-tags"}},
        {ID_OPTION_HEX_UPPER, {"--tag", "--default", "--upper-tags", "--lower-hex"}},
        {ID_OPTION_TAGS_UPPER, {"--tag", "--default", "--lower-hex"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.args));
        if (row.toggle)
            SendMenuCommand(m_dlg, row.toggle);
        std::istringstream in;
        std::ostringstream out, err;
        EXPECT_EQ(RunCommandLine(row.args, {in, out, err}), kExitAllWritten) << err.str();
        EXPECT_EQ(out.str(), m_dlg->GetBodyCode() + "\n");
        EXPECT_EQ(out.str(), Tag() + "\n") << "what the body code box shows";
    }
}

TEST_F(SettingsCommands, RestartKeepsOptionsAndPositionButNotTheScheme)
{
    SendMenuCommand(m_dlg, ID_OPTION_TAGS_UPPER);
    SendMenuCommand(m_dlg, ID_OPTION_HEX_UPPER);
    SendMenuCommand(m_dlg, ID_OPTION_CSS_STYLE);
    m_dlg->Move(123, 87);
    Pump(50);
    const wxPoint position = m_dlg->GetPosition();
    m_dlg->GetScheme().bgcolor = 0x00FFFFFF;
    m_dlg->UpdateBodyCode();

    Restart();
    EXPECT_TRUE(m_dlg->IsOptionChecked(ID_OPTION_TAGS_UPPER));
    EXPECT_FALSE(m_dlg->IsOptionChecked(ID_OPTION_HEX_UPPER));
    EXPECT_TRUE(m_dlg->IsOptionChecked(ID_OPTION_CSS_STYLE));
    EXPECT_EQ(m_dlg->GetPosition(), position);
    EXPECT_EQ(Tag(), "<BODY>") << "the scheme is stored only on its own command";
}

TEST_F(SettingsCommands, PaletteSavedFromTheLinksTabLoadsIntoAllThreePages)
{
    // Make the links page's palette differ from the others in its first cell.
    CTextBuffer links("255\r\n");
    m_dlg->GetColourPage(2)->LoadPalette(links);
    m_dlg->GetTabs()->SetSelection(2);
    const std::string path = (m_folder / "mine").string();
    wxTEST_DIALOG(SendMenuCommand(m_dlg, ID_PALETTE_SAVE), wxExpectModal<wxFileDialog>(path));

    CTextBuffer saved;
    ASSERT_EQ(ReadPaletteFile((path + ".zvpal").c_str(), saved), PaletteFileStatus::Ok) << "the extension is added";
    EXPECT_EQ(saved.View().substr(0, 8), "255\r\n0\r\n");

    m_dlg->GetColourPage(0)->ResetPalette();
    m_dlg->GetTabs()->SetSelection(1);
    wxTEST_DIALOG(SendMenuCommand(m_dlg, ID_PALETTE_LOAD), wxExpectModal<wxFileDialog>(path + ".zvpal"));
    for (int tab = 0; tab < 3; ++tab)
        EXPECT_EQ(m_dlg->GetColourPage(tab)->GetPaletteText().View().substr(0, 8), "255\r\n0\r\n") << "tab " << tab;
}

TEST_F(SettingsCommands, GimpPaletteGoesOutAndComesBack)
{
    m_dlg->GetColourPage(0)->LoadPalette(CTextBuffer("255\r\n"));
    m_dlg->GetTabs()->SetSelection(0);
    const std::string path = (m_folder / "exchange.gpl").string();
    wxTEST_DIALOG(SendMenuCommand(m_dlg, ID_PALETTE_SAVE), wxExpectModal<wxFileDialog>(path));
    EXPECT_EQ(ReadBytes(path).substr(0, 60), "GIMP Palette\nName: exchange\nColumns: 15\n255   0   0\t#ff0000\n");

    m_dlg->GetColourPage(0)->ResetPalette();
    wxTEST_DIALOG(SendMenuCommand(m_dlg, ID_PALETTE_LOAD), wxExpectModal<wxFileDialog>(path));
    for (int tab = 0; tab < 3; ++tab)
        EXPECT_EQ(m_dlg->GetColourPage(tab)->GetPaletteText().View().substr(0, 8), "255\r\n0\r\n") << "tab " << tab;
}

TEST_F(SettingsCommands, SavingOverAnExistingPaletteAsksFirst)
{
    const std::string path = (m_folder / "old.zvpal").string();
    WriteBytes(path, "keep me");
    wxTEST_DIALOG(SendMenuCommand(m_dlg, ID_PALETTE_SAVE), wxExpectModal<wxFileDialog>(path),
                  wxExpectModal<wxMessageDialog>(wxNO).Describe("replace?"),
                  wxExpectModal<wxFileDialog>(wxString(), wxID_CANCEL));
    EXPECT_EQ(ReadBytes(path), "keep me");
}

TEST_F(SettingsCommands, PaletteCommandsNeedAColourTab)
{
    m_dlg->GetTabs()->SetSelection(4);
    wxTEST_DIALOG(SendMenuCommand(m_dlg, ID_PALETTE_SAVE), wxExpectModal<wxMessageDialog>(wxID_OK));
    wxTEST_DIALOG(SendMenuCommand(m_dlg, ID_PALETTE_SAVE_DEFAULT), wxExpectModal<wxMessageDialog>(wxID_OK));
    EXPECT_FALSE(fs::exists(CSettingsStore::DefaultPath()));
}

TEST_F(SettingsCommands, StoredDefaultPaletteComesBack)
{
    m_dlg->GetColourPage(0)->LoadPalette(CTextBuffer("16777215\r\n"));
    m_dlg->GetTabs()->SetSelection(0);
    SendMenuCommand(m_dlg, ID_PALETTE_SAVE_DEFAULT);
    for (int tab = 0; tab < 3; ++tab)
        m_dlg->GetColourPage(tab)->ResetPalette();
    SendMenuCommand(m_dlg, ID_PALETTE_LOAD_DEFAULT);
    for (int tab = 0; tab < 3; ++tab)
        EXPECT_EQ(m_dlg->GetColourPage(tab)->GetPaletteText().View().substr(0, 13), "16777215\r\n0\r\n");
}

TEST_F(SettingsCommands, BadPaletteFilesAreRefusedWithAMessage)
{
    const std::string wrong = (m_folder / "wrong.zvpal").string();
    WriteBytes(wrong, "ZVPAL225\r\n255\r\n");
    const CTextBuffer before = m_dlg->GetColourPage(0)->GetPaletteText();
    wxTEST_DIALOG(EXPECT_FALSE(m_dlg->LoadPaletteFile(wrong)), wxExpectModal<wxMessageDialog>(wxID_OK));
    wxTEST_DIALOG(EXPECT_FALSE(m_dlg->LoadPaletteFile(m_folder.string())), wxExpectModal<wxMessageDialog>(wxID_OK));
    const std::string gimp = (m_folder / "bad.gpl").string();
    WriteBytes(gimp, "GIMP Palette\n1 2 3\n1 2 300\n");
    wxTEST_DIALOG(EXPECT_FALSE(m_dlg->LoadPaletteFile(gimp)), wxExpectModal<wxMessageDialog>(wxID_OK));
    EXPECT_EQ(m_dlg->GetColourPage(0)->GetPaletteText().View(), before.View());
}

TEST_F(SettingsCommands, FailedSaveAsDefaultIsTold)
{
    // The settings folder's place is taken by a file: nothing can be stored.
    WriteBytes(m_scratch.Path("config"), "in the way");
    wxTEST_DIALOG(SendMenuCommand(m_dlg, ID_FILE_SAVE_DEFAULT), wxExpectModal<wxMessageDialog>(wxID_OK));
    m_dlg->Close(); // the save at close stays silent
    Pump(50);
    m_dlg = nullptr;
}
