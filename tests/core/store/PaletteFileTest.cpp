#include "store/PaletteFile.h"
#include "Printers.h"
#include "StoreFiles.h"
#include "store/FileNames.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using PaletteFile = StoreTest;

TEST_F(PaletteFile, OnlyTheExactMarkerMakesAPaletteFile)
{
    const struct
    {
        const char* what;
        std::string bytes;
        PaletteFileStatus status;
        const char* palette; // on Ok
    } cases[] = {
        {"just the marker", "zvpal225\r\n", PaletteFileStatus::Ok, ""},
        {"marker and one line", "zvpal225\r\n255\r\n", PaletteFileStatus::Ok, "255\r\n"},
        {"a last line without CR LF", "zvpal225\r\n255", PaletteFileStatus::Ok, "255"},
        {"anything after the marker", std::string("zvpal225\r\n\0\xff junk", 16), PaletteFileStatus::Ok, nullptr},
        {"marker in capitals", "ZVPAL225\r\n255\r\n", PaletteFileStatus::NotPaletteFile, nullptr},
        {"marker line ending in LF alone", "zvpal225\n255\r\n", PaletteFileStatus::NotPaletteFile, nullptr},
        {"marker without its LF", "zvpal225\r", PaletteFileStatus::NotPaletteFile, nullptr},
        {"a shorter text", "zvpal22", PaletteFileStatus::NotPaletteFile, nullptr},
        {"an empty file", "", PaletteFileStatus::NotPaletteFile, nullptr},
        {"another kind of file", "<html><body>\r\n", PaletteFileStatus::NotPaletteFile, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(PathOf("p.zvpal"), c.bytes);
        CTextBuffer palette("unchanged");
        EXPECT_EQ(ReadPaletteFile(PathOf("p.zvpal").c_str(), palette), c.status);
        const std::string expected = c.status != PaletteFileStatus::Ok ? "unchanged"
                                     : c.palette != nullptr            ? std::string(c.palette)
                                                                       : c.bytes.substr(kPaletteMarkerLength);
        EXPECT_EQ(palette.View(), expected);
    }
}

TEST_F(PaletteFile, UnreadableFilesSaySo)
{
    CTextBuffer palette("unchanged");
    EXPECT_EQ(ReadPaletteFile(PathOf("missing.zvpal").c_str(), palette), PaletteFileStatus::CannotRead);
    std::filesystem::create_directory(PathOf("folder.zvpal"));
    EXPECT_EQ(ReadPaletteFile(PathOf("folder.zvpal").c_str(), palette), PaletteFileStatus::CannotRead);
    EXPECT_EQ(palette.View(), "unchanged");
}

TEST_F(PaletteFile, WrittenFileIsTheMarkerAndThePaletteText)
{
    std::string text;
    for (int i = 0; i < 225; ++i)
        text += std::to_string(i * 74565) + "\r\n";
    const std::string path = PathOf("saved.zvpal");
    WriteBytes(path, "an older, longer palette file that must be replaced whole");
    ASSERT_TRUE(WritePaletteFile(path.c_str(), CTextBuffer(text.c_str())));
    EXPECT_EQ(ReadBytes(path), "zvpal225\r\n" + text);

    CTextBuffer palette;
    ASSERT_EQ(ReadPaletteFile(path.c_str(), palette), PaletteFileStatus::Ok);
    EXPECT_EQ(palette.View(), text);
}

TEST_F(PaletteFile, AFailedSaveSaysSo)
{
    WriteBytes(PathOf("file"), "");
    EXPECT_FALSE(WritePaletteFile(PathOf("file/p.zvpal").c_str(), CTextBuffer("0\r\n")));
}

TEST(FileNames, DefaultExtensionIsAddedOnlyWhenTheNameHasNone)
{
    const struct
    {
        const char* chosen;
        const char* saved;
    } cases[] = {
        {"/home/u/couleurs", "/home/u/couleurs.zvpal"},
        {"/home/u/couleurs.zvpal", "/home/u/couleurs.zvpal"},
        {"/home/u/couleurs.txt", "/home/u/couleurs.txt"},
        {"/home/u/couleurs.", "/home/u/couleurs.zvpal"},
        {"/home/u.v/couleurs", "/home/u.v/couleurs.zvpal"}, // a dot in a folder name does not count
        {"/home/u/.couleurs", "/home/u/.couleurs.zvpal"},   // nor a leading dot
        {"couleurs", "couleurs.zvpal"},
        {"/home/u/", "/home/u/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AddDefaultExtension(c.chosen, kPaletteExtension), c.saved) << c.chosen;
    EXPECT_EQ(AddDefaultExtension("/tmp/page", "html"), "/tmp/page.html");
}
