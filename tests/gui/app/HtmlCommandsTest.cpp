#include "Harness.h"
#include "ScratchFiles.h"
#include "app/BodyTagDlg.h"
#include "res/ResourceIds.h"

#include <gtest/gtest.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtk/gtk.h>

using namespace VelloranTest;
namespace fs = std::filesystem;

namespace {

// Answers a message box after checking its text.
class CExpectMessage : public wxExpectModalBase<wxMessageDialog, CExpectMessage>
{
public:
    explicit CExpectMessage(std::string text) : m_sText(std::move(text)) {}

protected:
    int OnInvoked(wxMessageDialog* box) const override
    {
        EXPECT_EQ(box->GetMessage().utf8_string(), m_sText);
        return wxID_OK;
    }

private:
    std::string m_sText;
};

// Cancels a file dialog after noting its title and which of the names its
// first filter lets GTK show.
class CExpectFileChooser : public wxExpectModalBase<wxFileDialog, CExpectFileChooser>
{
public:
    CExpectFileChooser(std::vector<std::string> names, std::string& title, std::vector<std::string>& shown)
        : m_names(std::move(names)), m_title(title), m_shown(shown)
    {}

protected:
    int OnInvoked(wxFileDialog* dialog) const override
    {
        m_title = dialog->GetMessage().utf8_string();
        GtkFileFilter* filter = gtk_file_chooser_get_filter(GTK_FILE_CHOOSER(dialog->GetHandle()));
        for (const std::string& name : m_names) {
            GtkFileFilterInfo info{};
            info.contains = GTK_FILE_FILTER_DISPLAY_NAME;
            info.display_name = name.c_str();
            if (filter && gtk_file_filter_filter(filter, &info))
                m_shown.push_back(name);
        }
        return wxID_CANCEL;
    }

private:
    std::vector<std::string> m_names;
    std::string& m_title;
    std::vector<std::string>& m_shown;
};

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
    m_dlg->GetScheme().background = "fond.gif";
    SendMenuCommand(m_dlg, ID_OPTION_CSS_STYLE);
    ASSERT_TRUE(m_dlg->ExportBodyTag(page));
    EXPECT_EQ(Read(page), "<body text=\"#000080\" background=\"fond.gif\" bgproperties=\"fixed\" style=\"font-family: "
                          "serif; color: #000080; background-image: url('fond.gif'); background-attachment: fixed\">\n"
                          "<!-- body text=red style=\"font-family: serif; color: red\" -->\n");

    Write("styled.html", "<body text=red bgcolor=red style=\"color: #123456; background: url(b.gif)\">");
    ASSERT_TRUE(m_dlg->ImportBodyTag(page));
    EXPECT_EQ(m_dlg->GetScheme().text, MakeColour(0x12, 0x34, 0x56)) << "the style wins over the attribute";
    EXPECT_TRUE(IsDefaultColour(m_dlg->GetScheme().bgcolor)) << "the shorthand resets the colour";
    EXPECT_EQ(m_dlg->GetScheme().background, "b.gif");
}

TEST_F(HtmlCommands, FailedExportSaysWhyAndLeavesTheFile)
{
    // Root writes anywhere: a plain file stands where the folder should be.
    const std::string blocked = (m_folder / "plain" / "page.html").string();
    Write("plain", "not a folder");
    wxTEST_DIALOG(EXPECT_FALSE(m_dlg->ExportBodyTag(blocked)),
                  CExpectMessage("Impossible de créer le fichier « " + blocked + " »."));
    EXPECT_EQ(Read((m_folder / "plain").string()), "not a folder");
}

TEST_F(HtmlCommands, EveryFileDialogHasATitleAndShowsItsFilesInAnyCase)
{
    const std::vector<std::string> html = {"index.html", "INDEX.HTML", "old.htm", "notes.txt"};
    const std::vector<std::string> image = {"a.gif", "b.png", "photo.JPG", "c.jpg", "d.bmp"};
    const std::vector<std::string> palette = {"x.zvpal", "Y.ZVPAL", "z.pal"};
    auto browse = [this] {
        m_dlg->GetTabs()->SetSelection(3);
        wxWindow* button = m_dlg->GetTabs()->GetPage(3)->FindWindow(IDC_BROWSE);
        button->Enable();
        wxCommandEvent click(wxEVT_BUTTON, IDC_BROWSE);
        click.SetEventObject(button);
        button->GetEventHandler()->ProcessEvent(click);
        m_dlg->GetTabs()->SetSelection(0);
    };
    const struct
    {
        std::function<void()> open;
        std::vector<std::string> names;
        std::vector<std::string> shown;
    } rows[] = {
        {[this] { SendMenuCommand(m_dlg, ID_FILE_IMPORT); }, html, {"index.html", "INDEX.HTML", "old.htm"}},
        {[this] { SendMenuCommand(m_dlg, ID_FILE_EXPORT); }, html, {"index.html", "INDEX.HTML", "old.htm"}},
        {browse, image, {"a.gif", "b.png", "photo.JPG", "c.jpg"}},
        {[this] { SendMenuCommand(m_dlg, ID_PALETTE_LOAD); }, palette, {"x.zvpal", "Y.ZVPAL"}},
        {[this] { SendMenuCommand(m_dlg, ID_PALETTE_SAVE); }, palette, {"x.zvpal", "Y.ZVPAL"}},
    };
    std::set<std::string> titles;
    for (const auto& row : rows) {
        std::string title;
        std::vector<std::string> shown;
        wxTEST_DIALOG(row.open(), CExpectFileChooser(row.names, title, shown));
        EXPECT_EQ(shown, row.shown) << title;
        EXPECT_FALSE(title.empty());
        titles.insert(title);
    }
    EXPECT_EQ(titles.size(), std::size(rows)) << "each dialog says what it is for";
}

TEST_F(HtmlCommands, CancelledDialogsSayNothing)
{
    m_dlg->GetScheme().bgcolor = 0x00FFFFFF;
    m_dlg->UpdateBodyCode();
    wxTEST_DIALOG(SendMenuCommand(m_dlg, ID_FILE_IMPORT), wxExpectModal<wxFileDialog>(wxString(), wxID_CANCEL));
    wxTEST_DIALOG(SendMenuCommand(m_dlg, ID_FILE_EXPORT), wxExpectModal<wxFileDialog>(wxString(), wxID_CANCEL));
    EXPECT_EQ(Tag(), "<body bgcolor=\"#FFFFFF\">");
}
