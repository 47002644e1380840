// The parallel export: the same bytes as one page after the other.
#include "cli/SiteExport.h"
#include "ScratchFiles.h"
#include "text/HtmlExport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTag = "<body text=\"#000080\">";

// A folder of pages: a.html with a symbolic and a hard link to it, twenty
// more; and the list that names a.html through all three names many times.
void MakeSite(const CScratchDir& dir, std::vector<std::string>& list)
{
    for (int i = 0; i < 20; ++i)
        WriteBytes(dir.Path("p" + std::to_string(i) + ".html"), "<body bgcolor=\"#ffffff\">" + std::to_string(i));
    WriteBytes(dir.Path("a.html"), "<html><body>a</body></html>");
    fs::create_symlink("a.html", dir.Path("soft.html"));
    fs::create_hard_link(dir.Path("a.html"), dir.Path("hard.html"));
    for (int round = 0; round < 10; ++round) {
        for (const char* name : {"a.html", "soft.html", "hard.html"})
            list.push_back(name);
        list.push_back("p" + std::to_string(round) + ".html");
        list.push_back("p" + std::to_string(round + 10) + ".html");
    }
}

TEST(SiteExport, EveryPageAsASequentialRunWritesIt)
{
    CScratchDir parallel, sequential;
    std::vector<std::string> names;
    MakeSite(parallel, names);
    names.clear();
    MakeSite(sequential, names);
    for (const std::string& name : names)
        ASSERT_EQ(ExportBodyTag(sequential.Path(name).c_str(), kTag, false), ExportResult::Exported);

    std::vector<std::string> pages;
    for (const std::string& name : names)
        pages.push_back(parallel.Path(name));
    std::istringstream noInput;
    CPageList list(pages, noInput);
    const SiteExportReport report = ExportSite(list, kTag, 8, {});
    EXPECT_EQ(report.written, names.size());
    EXPECT_EQ(report.failed, 0u);
    for (const auto& entry : fs::directory_iterator(sequential.Folder())) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        EXPECT_EQ(ReadBytes(parallel.Path(name)), ReadBytes(sequential.Path(name)));
    }
}

} // namespace
