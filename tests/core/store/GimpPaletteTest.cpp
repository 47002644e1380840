#include "store/GimpPalette.h"
#include "Printers.h"
#include "StoreFiles.h"
#include "controls/PaletteGridLogic.h"
#include "store/PaletteFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using GimpPaletteFile = StoreTest;

// Samples written after the format's documentation and the files these
// programs save: the header variants, names with blanks, tabs, CR LF.
TEST(GimpPalette, FilesOfOtherProgramsAreRead)
{
    const struct
    {
        const char* what;
        std::string text;
        std::vector<COLORREF> colours;
    } cases[] = {
        {"GIMP",
         "GIMP Palette\nName: Mine\nColumns: 16\n#\n255 255 255\tWhite\n  0   0   0\tBlack\n 18  52  86\tUntitled\n",
         {0xFFFFFF, 0x000000, 0x563412}},
        {"GIMP, old format without Name:", "GIMP Palette\n# comment\n\n1 2 3\n", {0x030201}},
        {"Inkscape, names with blanks, no Columns:",
         "GIMP Palette\nName: Inkscape default\n# generated\n  0   0   0  Black\n128 128 128  50% Grey\n",
         {0x000000, 0x808080}},
        {"Krita on Windows: CR LF",
         "GIMP Palette\r\nName: Krita pal\r\nColumns: 8\r\n#\r\n230 25 75\tRed strong\r\n",
         {0x4B19E6}},
        {"byte order mark, header with a trailing blank", "\xEF\xBB\xBFGIMP Palette \n7 8 9 x\n", {0x090807}},
        {"stray lines are skipped", "GIMP Palette\n1 2\nred 1 2 3\n1 2 3x\n\t4\t5\t6\n+7 8 9", {0x060504, 0x090807}},
    };
    for (const auto& c : cases) {
        const GimpPaletteRead read = ParseGimpPalette(c.text);
        EXPECT_EQ(read.status, GimpPaletteStatus::Ok) << c.what;
        EXPECT_EQ(read.colours, c.colours) << c.what;
    }
}

TEST(GimpPalette, BadInputIsRefused)
{
    const struct
    {
        const char* what;
        std::string text;
        GimpPaletteStatus status;
        int line;
    } cases[] = {
        {"binary", std::string("GIMP Palette\n1 2 3\n\0\x01", 20), GimpPaletteStatus::NotText, 0},
        {"no header", "Name: x\n1 2 3\n", GimpPaletteStatus::NoHeader, 0},
        {"another palette format", "JASC-PAL\n0100\n", GimpPaletteStatus::NoHeader, 0},
        {"empty", "", GimpPaletteStatus::NoHeader, 0},
        {"a component over 255", "GIMP Palette\n1 2 3\n#\n10 256 0 too much\n", GimpPaletteStatus::BadComponent, 4},
        {"a negative component", "GIMP Palette\r\n-1 0 0\r\n", GimpPaletteStatus::BadComponent, 2},
        {"a huge component", "GIMP Palette\n0 0 99999999999999999999\n", GimpPaletteStatus::BadComponent, 2},
    };
    for (const auto& c : cases) {
        const GimpPaletteRead read = ParseGimpPalette(c.text);
        EXPECT_EQ(read.status, c.status) << c.what;
        EXPECT_EQ(read.line, c.line) << c.what;
        EXPECT_TRUE(read.colours.empty()) << c.what;
    }
}

// .gpl -> grid -> .gpl, the colours in the grid's reading order.
TEST_F(GimpPaletteFile, RoundTripThroughTheGrid)
{
    std::string file = "GIMP Palette\nName: couleurs\nColumns: 15\n";
    std::vector<COLORREF> colours;
    for (int p = 0; p < kGridCells; ++p) {
        colours.push_back(MakeColour(uint8_t(p), uint8_t(255 - p), uint8_t(p * 7)));
        char line[32];
        std::snprintf(line, sizeof line, "%3d %3d %3d\t#%02x%02x%02x\n", p, 255 - p, uint8_t(p * 7), p, 255 - p,
                      uint8_t(p * 7));
        file += line;
    }
    EXPECT_EQ(BuildGimpPalette("couleurs", colours).View(), file);
    WriteBytes(PathOf("in.gpl"), file + "1 1 1 one more than the grid holds\n");

    CTextBuffer text;
    ASSERT_EQ(ReadPaletteFile(PathOf("in.gpl").c_str(), text), PaletteFileStatus::Ok);
    CPaletteGridLogic grid;
    grid.SetPaletteText(text);
    EXPECT_EQ(grid.GetColour({1, 0}), colours[1]) << "row by row";
    EXPECT_EQ(grid.GetColour({0, 1}), colours[kGridColumns]);
    ASSERT_TRUE(WritePaletteFile(PathOf("couleurs.GPL").c_str(), text));
    EXPECT_EQ(ReadBytes(PathOf("couleurs.GPL")), file);
}

TEST_F(GimpPaletteFile, HowAFileIsRead)
{
    const std::string big = "GIMP Palette\n" + std::string(kMaxPaletteFileSize, '#');
    const struct
    {
        const char* name;
        std::string bytes;
        PaletteFileStatus status;
        const char* firstLines; // on Ok
    } cases[] = {
        {"short.gpl", "GIMP Palette\n0 0 255\n", PaletteFileStatus::Ok, "16711680\r\n0\r\n"}, // the rest stays 0
        {"named.txt", "GIMP Palette\n0 0 255\n", PaletteFileStatus::Ok, "16711680\r\n0\r\n"},
        {"p.gpl", "zvpal225\r\n7\r\n", PaletteFileStatus::Ok, "7\r\n"},
        {"p.gpl", "<html>\n", PaletteFileStatus::NoGimpHeader, nullptr},
        {"p.txt", "<html>\n", PaletteFileStatus::NotPaletteFile, nullptr},
        {"p.gpl", std::string("\x89PNG\r\n\x1a\n\0", 9), PaletteFileStatus::NotText, nullptr},
        {"p.gpl", "GIMP Palette\n0 0 300\n", PaletteFileStatus::BadGimpComponent, nullptr},
        {"big.gpl", big, PaletteFileStatus::TooLarge, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(PathOf(c.name), c.bytes);
        CTextBuffer text("unchanged");
        int badLine = 0;
        EXPECT_EQ(ReadPaletteFile(PathOf(c.name).c_str(), text, &badLine), c.status);
        EXPECT_EQ(text.View().substr(0, c.firstLines ? std::string_view(c.firstLines).size() : std::string::npos),
                  c.firstLines ? c.firstLines : "unchanged");
        EXPECT_EQ(badLine, c.status == PaletteFileStatus::BadGimpComponent ? 2 : 0);
    }
}

TEST(GimpPalette, NameIsOneLineAndOnlyTheRgbIsWritten)
{
    const COLORREF colours[] = {0xFF563412};
    EXPECT_EQ(BuildGimpPalette(" two\nlines\t", colours).View(),
              "GIMP Palette\nName: two lines\nColumns: 15\n 18  52  86\t#123456\n");
}
