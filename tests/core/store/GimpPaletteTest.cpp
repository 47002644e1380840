#include "store/GimpPalette.h"
#include "Printers.h"
#include "StoreFiles.h"
#include "controls/PaletteGridLogic.h"
#include "store/PaletteFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using GimpPaletteFile = StoreTest;

// The samples follow the format's documentation and the files GIMP, Inkscape
// and Krita save: header variants, names with blanks, tabs, CR LF.
TEST(GimpPalette, ReadingTable)
{
    using enum GimpPaletteStatus;
    const struct
    {
        const char* what;
        std::string text;
        GimpPaletteStatus status;
        std::vector<COLORREF> colours;
        int line = 0;
    } cases[] = {
        {"GIMP",
         "GIMP Palette\nName: Mine\nColumns: 16\n#\n255 255 255\tWhite\n  0   0   0\tBlack\n 18  52  86\tx\n",
         Ok,
         {0xFFFFFF, 0x000000, 0x563412}},
        {"GIMP, old format without Name:", "GIMP Palette\n# comment\n\n1 2 3\n", Ok, {0x030201}},
        {"Inkscape, no Columns:",
         "GIMP Palette\nName: Inkscape default\n  0   0   0  Black\n128 128 128  50% Grey\n",
         Ok,
         {0x000000, 0x808080}},
        {"Krita on Windows",
         "GIMP Palette\r\nName: Krita pal\r\nColumns: 8\r\n#\r\n230 25 75\tRed strong\r\n",
         Ok,
         {0x4B19E6}},
        {"byte order mark, blank after the header", "\xEF\xBB\xBFGIMP Palette \n7 8 9 x\n", Ok, {0x090807}},
        {"stray lines are skipped",
         "GIMP Palette\n1 2\nred 1 2 3\n1 2 3x\n\t4\t5\t6\n+7 8 9",
         Ok,
         {0x060504, 0x090807}},
        {"binary", std::string("GIMP Palette\n1 2 3\n\0", 20), NotText, {}},
        {"no header", "Name: x\n1 2 3\n", NoHeader, {}},
        {"another palette format", "JASC-PAL\n0100\n", NoHeader, {}},
        {"a component over 255", "GIMP Palette\n1 2 3\n#\n10 256 0 too much\n", BadComponent, {}, 4},
        {"a negative component", "GIMP Palette\r\n-1 0 0\r\n", BadComponent, {}, 2},
        {"a huge component", "GIMP Palette\n0 0 99999999999999999999\n", BadComponent, {}, 2},
    };
    for (const auto& c : cases) {
        const GimpPaletteRead read = ParseGimpPalette(c.text);
        EXPECT_EQ(read.status, c.status) << c.what;
        EXPECT_EQ(read.colours, c.colours) << c.what;
        EXPECT_EQ(read.line, c.line) << c.what;
    }
}

// .gpl -> grid -> .gpl, the colours in the grid's reading order.
TEST_F(GimpPaletteFile, RoundTripThroughTheGrid)
{
    std::vector<COLORREF> colours;
    for (int p = 0; p < kGridCells; ++p)
        colours.push_back(MakeColour(uint8_t(p), uint8_t(255 - p), uint8_t(p * 7)));
    const std::string file(BuildGimpPalette("couleurs", colours).View());
    WriteBytes(PathOf("in.gpl"), file + "1 1 1 one more than the grid holds\n");

    CTextBuffer text;
    ASSERT_EQ(ReadPaletteFile(PathOf("in.gpl").c_str(), text), PaletteFileStatus::Ok);
    CPaletteGridLogic grid;
    grid.SetPaletteText(text);
    EXPECT_EQ(grid.GetColour({1, 0}), colours[1]) << "row by row";
    EXPECT_EQ(grid.GetColour({0, 1}), colours[kGridColumns]);
    ASSERT_TRUE(WritePaletteFile(PathOf("couleurs.GPL").c_str(), text));
    EXPECT_EQ(ReadBytes(PathOf("couleurs.GPL")), file);

    const COLORREF one[] = {0xFF563412};
    EXPECT_EQ(BuildGimpPalette(" two\nlines\t", one).View(),
              "GIMP Palette\nName: two lines\nColumns: 15\n 18  52  86\t#123456\n");
}

TEST_F(GimpPaletteFile, WhichFilesAreReadAsGimpPalettes)
{
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
        {"big.gpl", "GIMP Palette\n" + std::string(kMaxPaletteFileSize, '#'), PaletteFileStatus::TooLarge, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(PathOf(c.name), c.bytes);
        CTextBuffer text("unchanged");
        EXPECT_EQ(ReadPaletteFile(PathOf(c.name).c_str(), text), c.status);
        EXPECT_EQ(text.View().substr(0, c.firstLines ? std::string_view(c.firstLines).size() : std::string::npos),
                  c.firstLines ? c.firstLines : "unchanged");
    }
}
