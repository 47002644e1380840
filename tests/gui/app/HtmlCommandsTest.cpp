#include "Harness.h"
#include "ScratchFiles.h"
#include "app/BodyTagDlg.h"
#include "res/ResourceIds.h"

#include <gtest/gtest.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include <filesystem>

using namespace VelloranTest;
namespace fs = std::filesystem;

namespace {

class HtmlCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dlg = new CBodyTagDlg;
        m_dlg->Show();
        Pump(50);
    }
    void TearDown() override
    {
        m_dlg->Destroy();
        Pump();
    }

    std::string Write(const std::string& name, const std::string& content)
    {
        WriteBytes(m_scratch.Path(name), content);
        return m_scratch.Path(name);
    }
    static std::string Read(const std::string& path) { return ReadBytes(path); }
    std::string Tag() const { return m_dlg->GetBodyCodeBox()->GetValue().utf8_string(); }

    CScratchDir m_scratch;
    const fs::path& m_folder = m_scratch.Folder();
    CBodyTagDlg* m_dlg = nullptr;
};

} // namespace

TEST_F(HtmlCommands, ImportThroughTheMenuRefreshesTheTag)
{
    const std::string page = Write("page.html", "<html><BODY BGCOLOR=#FFCC00 TEXT=\"#000080\" leftmargin=12px>x");
    wxTEST_DIALOG(SendMenuCommand(m_dlg, ID_FILE_IMPORT), wxExpectModal<wxFileDialog>(page));
    EXPECT_EQ(m_dlg->GetScheme().bgcolor, 0x0000CCFFu);
    EXPECT_EQ(m_dlg->GetScheme().sidemargin, 12);
    EXPECT_EQ(Tag(), "<body bgcolor=\"#FFCC00\" text=\"#000080\" leftmargin=\"12\">");
}

TEST_F(HtmlCommands, FailedImportSaysWhyAndChangesNothing)
{
    m_dlg->GetScheme().text = 0x00112233;
    m_dlg->UpdateBodyCode();
    const Scheme before = m_dlg->GetScheme();
    const std::string noBody = Write("nobody.html", "<p>no body tag</p>");
    const std::string folder = m_folder.string(); // a folder cannot be read as a file

    wxTEST_DIALOG(EXPECT_FALSE(m_dlg->ImportBodyTag(noBody)),
                  wxExpectModal<wxMessageDialog>(wxID_OK).Describe("no body tag"));
    wxTEST_DIALOG(EXPECT_FALSE(m_dlg->ImportBodyTag(folder)),
                  wxExpectModal<wxMessageDialog>(wxID_OK).Describe("cannot read"));
    EXPECT_TRUE(m_dlg->GetScheme() == before);
    EXPECT_EQ(Tag(), "<body text=\"#332211\">");
}

TEST_F(HtmlCommands, ExportThroughTheMenuAddsTheExtensionAndKeepsTheOldTag)
{
    const std::string page = Write("page.html", "<html>\r\n<body bgcolor=\"#ffffff\">\r\n</body></html>");
    m_dlg->GetScheme().text = 0x00000000;
    m_dlg->UpdateBodyCode();
    const std::string typed = (m_folder / "page").string(); // no extension typed
    wxTEST_DIALOG(SendMenuCommand(m_dlg, ID_FILE_EXPORT), wxExpectModal<wxFileDialog>(typed));
    EXPECT_EQ(Read(page), "<html>\r\n<body text=\"#000000\">\r\n<!-- body bgcolor=\"#ffffff\" -->\r\n</body></html>");
    EXPECT_FALSE(fs::exists(typed));
}

TEST_F(HtmlCommands, StyleOptionExportsOurPropertiesIntoTheOldStyleAndImportReadsThemBack)
{
    const std::string page = Write("styled.html", "<body text=red style=\"font-family: serif; color: red\">\n");
    m_dlg->GetScheme().text = MakeColour(0, 0, 0x80);
    m_dlg->GetScheme().useback = 1;
    m_dlg->GetScheme().watermark = 1;
    m_dlg->GetScheme().background.Assign("fond.gif");
    SendMenuCommand(m_dlg, ID_OPTION_CSS_STYLE);
    ASSERT_TRUE(m_dlg->ExportBodyTag(page));
    EXPECT_EQ(Read(page), "<body text=\"#000080\" background=\"fond.gif\" bgproperties=\"fixed\" style=\"font-family: "
                          "serif; color: #000080; background-image: url('fond.gif'); background-attachment: fixed\">\n"
                          "<!-- body text=red style=\"font-family: serif; color: red\" -->\n");

    Write("styled.html", "<body text=red bgcolor=red style=\"color: #123456; background: url(b.gif)\">");
    ASSERT_TRUE(m_dlg->ImportBodyTag(page));
    EXPECT_EQ(m_dlg->GetScheme().text, MakeColour(0x12, 0x34, 0x56)) << "the style wins over the attribute";
    EXPECT_TRUE(IsDefaultColour(m_dlg->GetScheme().bgcolor)) << "the shorthand resets the colour";
    EXPECT_EQ(m_dlg->GetScheme().background.View(), "b.gif");
}

TEST_F(HtmlCommands, FailedExportSaysWhyAndLeavesTheFile)
{
    const std::string blocked = (m_folder / "plain" / "page.html").string();
    Write("plain", "not a folder");
    wxTEST_DIALOG(EXPECT_FALSE(m_dlg->ExportBodyTag(blocked)), wxExpectModal<wxMessageDialog>(wxID_OK));
    EXPECT_EQ(Read((m_folder / "plain").string()), "not a folder");
}

TEST_F(HtmlCommands, CancelledDialogsSayNothing)
{
    m_dlg->GetScheme().bgcolor = 0x00FFFFFF;
    m_dlg->UpdateBodyCode();
    wxTEST_DIALOG(SendMenuCommand(m_dlg, ID_FILE_IMPORT), wxExpectModal<wxFileDialog>(wxString(), wxID_CANCEL));
    wxTEST_DIALOG(SendMenuCommand(m_dlg, ID_FILE_EXPORT), wxExpectModal<wxFileDialog>(wxString(), wxID_CANCEL));
    EXPECT_EQ(Tag(), "<body bgcolor=\"#FFFFFF\">");
}
