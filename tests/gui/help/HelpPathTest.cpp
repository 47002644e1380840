// Where the program finds its help file: beside itself in a build folder,
// in share/velloran/ once installed.
#include "ScratchFiles.h"
#include "help/HelpService.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct HelpPathCase
{
    const char* what;
    const char* executable;         // under the scratch folder
    std::vector<const char*> files; // help files made there
    const char* expected;
};

const HelpPathCase kHelpPathCases[] = {
    {"a build folder", "build/src/app/velloran", {"build/src/app/velloran.hlp"}, "build/src/app/velloran.hlp"},
    {"an installed tree", "usr/bin/velloran", {"usr/share/velloran/velloran.hlp"}, "usr/share/velloran/velloran.hlp"},
    {"the file beside the program comes first",
     "usr/bin/velloran",
     {"usr/bin/velloran.hlp", "usr/share/velloran/velloran.hlp"},
     "usr/bin/velloran.hlp"},
    {"neither: the path beside the program", "usr/bin/velloran", {}, "usr/bin/velloran.hlp"},
    {"only the share folder beside bin counts",
     "opt/velloran/usr/bin/velloran",
     {"opt/velloran/share/velloran/velloran.hlp", "opt/velloran/usr/bin/share/velloran/velloran.hlp"},
     "opt/velloran/usr/bin/velloran.hlp"},
    {"named after the program",
     "usr/bin/velloran-dev",
     {"usr/share/velloran/velloran.hlp", "usr/share/velloran/velloran-dev.hlp"},
     "usr/share/velloran/velloran-dev.hlp"},
    {"its extension replaced",
     "usr/bin/velloran.bin",
     {"usr/share/velloran/velloran.hlp"},
     "usr/share/velloran/velloran.hlp"},
};

TEST(HelpPath, FindsTheHelpFileBesideTheProgramOrInItsShareFolder)
{
    for (const HelpPathCase& c : kHelpPathCases) {
        SCOPED_TRACE(c.what);
        CScratchDir dir;
        for (const char* file : c.files)
            WriteBytes(dir.Path(file), "VELLORAN-AIDE 1\n");
        EXPECT_EQ(FindHelpFile(wxString::FromUTF8(dir.Path(c.executable))).utf8_string(), dir.Path(c.expected));
    }
}

TEST(HelpPath, AFolderNamedLikeTheHelpFileIsNotIt)
{
    CScratchDir dir;
    std::filesystem::create_directories(dir.Path("usr/bin/velloran.hlp"));
    WriteBytes(dir.Path("usr/share/velloran/velloran.hlp"), "VELLORAN-AIDE 1\n");
    EXPECT_EQ(FindHelpFile(wxString::FromUTF8(dir.Path("usr/bin/velloran"))).utf8_string(),
              dir.Path("usr/share/velloran/velloran.hlp"));
}

} // namespace
