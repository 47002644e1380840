#include "store/Settings.h"
#include "Printers.h"
#include "StoreFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

namespace fs = std::filesystem;

using SettingsGroups = StoreTest;

TEST_F(SettingsGroups, FirstRunGivesEveryFallback)
{
    CSettingsStore store(SettingsPath());
    const WindowOptions options = LoadWindowGroup(store);
    EXPECT_FALSE(options.left);
    EXPECT_FALSE(options.top);
    EXPECT_FALSE(options.tagsUpper);
    EXPECT_TRUE(options.hexUpper);
    EXPECT_FALSE(options.inputHex);
    EXPECT_FALSE(options.cssStyle);
    EXPECT_EQ(LoadSchemeGroup(store), Scheme());
    EXPECT_EQ(LoadPaletteGroup(store).Length(), 0u);
    EXPECT_FALSE(fs::exists(SettingsPath()));
}

TEST_F(SettingsGroups, SchemeComesBackExactlyWithItsDefaultMarks)
{
    Scheme scheme;
    scheme.bgcolor = 0xFF123456; // a default colour keeps its RGB
    scheme.text = 0x00FFFFFF;
    scheme.link = 0x01000000;
    scheme.vlink = 0;
    scheme.alink = 0x00ABCDEF;
    scheme.topmargin = 0;
    scheme.sidemargin = -2;
    scheme.useback = 1;
    scheme.watermark = 7;
    scheme.background.assign("images/f\xe9te \"1\"\\fond.gif");
    ASSERT_TRUE(SaveSchemeGroup(CSettingsStore(SettingsPath()), scheme));
    EXPECT_EQ(LoadSchemeGroup(CSettingsStore(SettingsPath())), scheme);

    ASSERT_TRUE(SaveSchemeGroup(CSettingsStore(SettingsPath()), Scheme()));
    EXPECT_EQ(LoadSchemeGroup(CSettingsStore(SettingsPath())), Scheme());
}

TEST_F(SettingsGroups, SchemeValuesAreRawLittleEndianBytesInTableOrder)
{
    Scheme scheme;
    scheme.bgcolor = 0xFF000001;
    scheme.topmargin = 258;
    scheme.background.assign("a.gif");
    CSettingsStore store(SettingsPath());
    ASSERT_TRUE(SaveSchemeGroup(store, scheme));
    EXPECT_EQ(ReadBytes(SettingsPath()), "REGEDIT4\n"
                                         "\n"
                                         "[SOFTWARE\\ZV\\ZV Velloran\\Scheme]\n"
                                         "\"background\"=\"a.gif\"\n"
                                         "\"bgcolor\"=hex:01,00,00,ff\n"
                                         "\"text\"=hex:00,00,00,ff\n"
                                         "\"link\"=hex:00,00,ff,ff\n"
                                         "\"vlink\"=hex:99,00,99,ff\n"
                                         "\"alink\"=hex:ff,00,00,ff\n"
                                         "\"sidemargin\"=hex:ff,ff,ff,ff\n"
                                         "\"topmargin\"=hex:02,01,00,00\n"
                                         "\"watermark\"=hex:00\n"
                                         "\"useback\"=hex:00\n"
                                         "\n");
}

TEST_F(SettingsGroups, MissingOrMisfitSchemeValuesTakeTheDefaults)
{
    WriteBytes(SettingsPath(), "REGEDIT4\n\n[Software\\ZV\\ZV Velloran\\Scheme]\n"
                               "\"BGCOLOR\"=hex:01,00,00,ff\n" // read without case
                               "\"text\"=hex:11,22,33\n"       // too short
                               "\"link\"=hex:11,22,33,44,55\n" // too long
                               "\"vlink\"=\"not binary\"\n"    // wrong type
                               "\"topmargin\"=hex:0a,00,00,00\n"
                               "\"useback\"=hex:01,00,00,00\n" // a flag is one byte
                               "\"background\"=hex:41,42\n");  // wrong type
    Scheme expected;
    expected.bgcolor = 0xFF000001;
    expected.topmargin = 10;
    EXPECT_EQ(LoadSchemeGroup(CSettingsStore(SettingsPath())), expected);
}

TEST_F(SettingsGroups, WindowGroupWritesItsNamesAndReadsTopWithoutCase)
{
    CSettingsStore store(SettingsPath());
    WindowOptions options;
    options.left = -1200; // a screen left of the primary one
    options.top = 40;
    options.tagsUpper = true;
    options.hexUpper = false;
    options.inputHex = true;
    options.cssStyle = true;
    ASSERT_TRUE(SaveWindowGroup(store, options, "v2.0", "/opt/velloran/"));
    EXPECT_EQ(ReadBytes(SettingsPath()), "REGEDIT4\n"
                                         "\n"
                                         "[SOFTWARE\\ZV\\ZV Velloran]\n"
                                         "\"Version\"=\"v2.0\"\n"
                                         "\"Path\"=\"/opt/velloran/\"\n"
                                         "\"Left\"=hex:50,fb,ff,ff\n"
                                         "\"top\"=hex:28,00,00,00\n"
                                         "\"TagsUpper\"=hex:01\n"
                                         "\"HexUpper\"=hex:00\n"
                                         "\"InputHex\"=hex:01\n"
                                         "\"CssStyle\"=hex:01\n"
                                         "\n");
    EXPECT_EQ(LoadWindowGroup(CSettingsStore(SettingsPath())), options);
}

TEST_F(SettingsGroups, AMinimisedWindowKeepsTheLastStoredPosition)
{
    CSettingsStore store(SettingsPath());
    WindowOptions normal;
    normal.left = 100;
    normal.top = 200;
    ASSERT_TRUE(SaveWindowGroup(store, normal, "v2.0", ""));
    WindowOptions minimised;
    minimised.tagsUpper = true;
    ASSERT_TRUE(SaveWindowGroup(store, minimised, "v2.0", ""));

    WindowOptions expected = minimised;
    expected.left = 100;
    expected.top = 200;
    EXPECT_EQ(LoadWindowGroup(store), expected);
    EXPECT_EQ(ReadBytes(SettingsPath()).find("\"Path\""), std::string::npos);
}

TEST_F(SettingsGroups, WindowOptionsFallBackOneByOne)
{
    WriteBytes(SettingsPath(), "REGEDIT4\n\n[SOFTWARE\\ZV\\ZV Velloran]\n"
                               "\"Top\"=hex:05,00,00,00\n"
                               "\"TagsUpper\"=hex:02\n"   // any non-zero byte is checked
                               "\"HexUpper\"=hex:00,00\n" // wrong size: checked
                               "\"InputHex\"=\"1\"\n");   // wrong type: unchecked
    WindowOptions expected;
    expected.top = 5;
    expected.tagsUpper = true;
    EXPECT_EQ(LoadWindowGroup(CSettingsStore(SettingsPath())), expected);
}

TEST_F(SettingsGroups, PaletteTextRoundTripsAndEmptyMeansNone)
{
    std::string palette;
    for (int i = 0; i < 225; ++i)
        palette += std::to_string(i == 224 ? -2147483647 - 1 : i * 74565) + "\r\n";
    CSettingsStore store(SettingsPath());
    ASSERT_TRUE(SavePaletteGroup(store, CTextBuffer(palette.c_str())));
    EXPECT_EQ(LoadPaletteGroup(CSettingsStore(SettingsPath())).View(), palette);

    ASSERT_TRUE(SavePaletteGroup(store, CTextBuffer("")));
    EXPECT_EQ(LoadPaletteGroup(store).Length(), 0u);
}

TEST_F(SettingsGroups, EachGroupKeepsTheOthers)
{
    CSettingsStore store(SettingsPath());
    WindowOptions options;
    options.left = 3;
    Scheme scheme;
    scheme.text = 0x123456;
    ASSERT_TRUE(SaveWindowGroup(store, options, "v2.0", "/bin/"));
    ASSERT_TRUE(SaveSchemeGroup(store, scheme));
    ASSERT_TRUE(SavePaletteGroup(store, CTextBuffer("255\r\n")));
    ASSERT_TRUE(SaveWindowGroup(store, options, "v2.0", "/bin/"));
    EXPECT_EQ(LoadWindowGroup(store), options);
    EXPECT_EQ(LoadSchemeGroup(store), scheme);
    EXPECT_EQ(LoadPaletteGroup(store).View(), "255\r\n");
}

// A damaged file gives what can be read and fallbacks for the rest; the next
// write keeps the damaged file whole as settings.reg.bad and the values that
// were read in the new file.
TEST_F(SettingsGroups, DamagedFilesGiveWhatCanBeReadAndAreKeptAside)
{
    const std::string good = "REGEDIT4\n"
                             "\n"
                             "[SOFTWARE\\ZV\\ZV Velloran]\n"
                             "\"Left\"=hex:64,00,00,00\n"
                             "\"top\"=hex:c8,00,00,00\n"
                             "\"TagsUpper\"=hex:01\n"
                             "\"HexUpper\"=hex:00\n"
                             "\n"
                             "[SOFTWARE\\ZV\\ZV Velloran\\Scheme]\n"
                             "\"background\"=\"fond.gif\"\n"
                             "\"bgcolor\"=hex:01,00,00,ff\n"
                             "\"topmargin\"=hex:05,00,00,00\n"
                             "\n";
    auto replace = [&](std::string_view from, std::string_view to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    auto cutAfter = [&](std::string_view at) { return good.substr(0, good.find(at) + at.size()); };

    struct Case
    {
        const char* what;
        std::string text;
        bool damaged;
        std::function<void(WindowOptions&, Scheme&)> expect; // changes from the good file's values
    };
    const Case cases[] = {
        {"intact", good, false, nullptr},
        {"CR LF line ends", replace("\n\"top\"", "\r\n\"top\""), false, nullptr},
        {"a garbage line", replace("\"top\"", "garbage = !\n\"top\""), true, nullptr},
        {"binary noise", replace("\"top\"", std::string("\x00\xff\x1b[2J\x7f\x00\n", 9) + "\"top\""), true, nullptr},
        {"no header", good.substr(9), true, nullptr},
        {"cut inside a binary value", cutAfter("\"topmargin\"=hex:05,00"), true,
         [](WindowOptions&, Scheme& s) { s.topmargin = -1; }},
        {"cut inside a string", cutAfter("\"background\"=\"fon"), true,
         [](WindowOptions&, Scheme& s) { s = Scheme(); }},
        {"cut inside a name", cutAfter("\"HexU"), true,
         [](WindowOptions& o, Scheme& s) {
             o.hexUpper = true;
             s = Scheme();
         }},
        {"a missing closing bracket", replace("Velloran\\Scheme]", "Velloran\\Scheme"), true,
         [](WindowOptions&, Scheme& s) { s = Scheme(); }},
        {"a value of the wrong type", replace("\"Left\"=hex:64,00,00,00", "\"Left\"=\"100\""), false,
         [](WindowOptions& o, Scheme&) { o.left.reset(); }},
        {"a value of the wrong size", replace("\"TagsUpper\"=hex:01", "\"TagsUpper\"=hex:01,00"), false,
         [](WindowOptions& o, Scheme&) { o.tagsUpper = false; }},
        {"a broken escape", replace("fond.gif", "fond\\q.gif"), true,
         [](WindowOptions&, Scheme& s) { s.background.assign(""); }},
        {"a broken hex digit", replace("hex:00\n", "hex:0g\n"), true,
         [](WindowOptions& o, Scheme&) { o.hexUpper = true; }},
        {"a raw NUL in a string", replace("fond.gif", std::string("fo\0d.gif", 8)), true,
         [](WindowOptions&, Scheme& s) { s.background.assign(""); }},
        {"values before any key", "\"Left\"=hex:01,00,00,00\n" + good, true, nullptr},
        {"a huge file", good + std::string(3 << 20, 'x'), true, nullptr},
        {"only noise", std::string(5000, '\xff'), true,
         [](WindowOptions& o, Scheme& s) {
             o = WindowOptions();
             s = Scheme();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(fs::path(SettingsPath()).parent_path());
        WriteBytes(SettingsPath(), c.text);
        WindowOptions options;
        options.left = 100;
        options.top = 200;
        options.tagsUpper = true;
        options.hexUpper = false;
        Scheme scheme;
        scheme.background.assign("fond.gif");
        scheme.bgcolor = 0xFF000001;
        scheme.topmargin = 5;
        if (c.expect)
            c.expect(options, scheme);

        CSettingsStore store(SettingsPath());
        EXPECT_EQ(LoadWindowGroup(store), options);
        EXPECT_EQ(LoadSchemeGroup(store), scheme);

        ASSERT_TRUE(SavePaletteGroup(store, CTextBuffer("255\r\n")));
        EXPECT_EQ(fs::exists(SettingsPath() + ".bad"), c.damaged);
        if (c.damaged) {
            EXPECT_TRUE(ReadBytes(SettingsPath() + ".bad") == c.text);
        }
        EXPECT_FALSE(store.Read().damaged);
        EXPECT_EQ(LoadWindowGroup(store), options);
        EXPECT_EQ(LoadSchemeGroup(store), scheme);
        EXPECT_EQ(LoadPaletteGroup(store).View(), "255\r\n");
    }
}

// Each damaged file gets its own copy, up to three; later ones replace the
// third so that the first damaged files stay.
TEST_F(SettingsGroups, DamagedCopiesAreNumbered)
{
    CSettingsStore store(SettingsPath());
    const char* copies[] = {".bad", ".bad2", ".bad3", ".bad3"};
    for (int round = 0; round < 4; ++round) {
        const std::string damaged = "damaged " + std::to_string(round) + "\n";
        WriteBytes(SettingsPath(), damaged);
        ASSERT_TRUE(SavePaletteGroup(store, CTextBuffer("255\r\n")));
        EXPECT_EQ(ReadBytes(SettingsPath() + copies[round]), damaged);
    }
    EXPECT_EQ(ReadBytes(SettingsPath() + ".bad"), "damaged 0\n");
    EXPECT_EQ(ReadBytes(SettingsPath() + ".bad2"), "damaged 1\n");
    EXPECT_FALSE(fs::exists(SettingsPath() + ".bad4"));
}
