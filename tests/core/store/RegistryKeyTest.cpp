#include "store/RegistryKey.h"
#include "Printers.h"
#include "StoreFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr char kKey[] = "SOFTWARE\\ZV\\ZV Velloran";
constexpr char kSubKey[] = "SOFTWARE\\ZV\\ZV Velloran\\Scheme";

std::string BytesOfSize(uint32_t size)
{
    std::string bytes;
    for (uint32_t i = 0; i < size; ++i)
        bytes += char(0xA5 ^ i);
    return bytes;
}

} // namespace

using RegistryKey = StoreTest;

TEST_F(RegistryKey, AFreshStoreReadsEveryTypeAndSizeWritten)
{
    const std::string strings[] = {"",
                                   "x",
                                   "C:\\images\\\"fond\".gif",
                                   "a\r\nb\r\n",
                                   "\x80\xe9\xff\x01\x7f",
                                   std::string(CRegistryKey::kMaxStringBytes - 1, 's')};
    const uint32_t sizes[] = {0, 1, 2, 3, 4, 8, 300};
    {
        CSettingsStore writer(SettingsPath());
        CRegistryKey key;
        ASSERT_TRUE(key.Create(writer, kKey));
        for (size_t i = 0; i < std::size(strings); ++i)
            EXPECT_TRUE(key.SetString(("s" + std::to_string(i)).c_str(), CTextBuffer(strings[i].c_str())));
        for (uint32_t size : sizes)
            EXPECT_TRUE(key.SetBinary(("b" + std::to_string(size)).c_str(), BytesOfSize(size).data(), size));
        EXPECT_TRUE(key.Close());
    }
    CSettingsStore reader(SettingsPath());
    CRegistryKey key;
    ASSERT_TRUE(key.Open(reader, kKey));
    for (size_t i = 0; i < std::size(strings); ++i)
        EXPECT_EQ(key.QueryString(("s" + std::to_string(i)).c_str(), "fallback").View(), strings[i]) << i;
    for (uint32_t size : sizes) {
        std::vector<char> data(size + 1, '?');
        EXPECT_TRUE(key.QueryBinary(("b" + std::to_string(size)).c_str(), data.data(), size)) << size;
        EXPECT_EQ(std::string(data.data(), size), BytesOfSize(size));
        EXPECT_EQ(data[size], '?');
    }
}

TEST_F(RegistryKey, NamesAndKeyPathsMatchWithoutCase)
{
    CSettingsStore store(SettingsPath());
    CRegistryKey key;
    ASSERT_TRUE(key.Create(store, "software\\zv\\zv velloran"));
    key.SetBinary("top", "\x01\x02\x03\x04", 4);
    ASSERT_TRUE(key.Close());
    ASSERT_TRUE(key.Create(store, kKey));
    key.SetBinary("TOP", "\x05\x06\x07\x08", 4);
    ASSERT_TRUE(key.Close());

    ASSERT_TRUE(key.Open(store, "SOFTWARE\\ZV\\ZV VELLORAN"));
    char data[4];
    ASSERT_TRUE(key.QueryBinary("Top", data, 4));
    EXPECT_EQ(std::string(data, 4), "\x05\x06\x07\x08");
    const SettingsSnapshot snapshot = store.Read();
    ASSERT_EQ(snapshot.document.keys.size(), 1u);
    EXPECT_EQ(snapshot.document.keys[0].values.size(), 1u);
}

TEST_F(RegistryKey, ValuesOfAnotherSizeOrTypeAreNotRead)
{
    CSettingsStore store(SettingsPath());
    CRegistryKey key;
    ASSERT_TRUE(key.Create(store, kKey));
    key.SetBinary("four", "\x01\x02\x03\x04", 4);
    key.SetBinary("one", "\x01", 1);
    key.SetString("text", CTextBuffer("1234"));
    key.SetString("long", CTextBuffer(std::string(CRegistryKey::kMaxStringBytes, 'x').c_str()));
    ASSERT_TRUE(key.Close());

    ASSERT_TRUE(key.Open(store, kKey));
    char data[8] = {'u', 'n', 't', 'o', 'u', 'c', 'h', 'd'};
    EXPECT_FALSE(key.QueryBinary("four", data, 1)); // larger than asked
    EXPECT_FALSE(key.QueryBinary("four", data, 8)); // shorter than asked
    EXPECT_FALSE(key.QueryBinary("one", data, 4));
    EXPECT_FALSE(key.QueryBinary("text", data, 4)); // a string is never binary
    EXPECT_FALSE(key.QueryBinary("missing", data, 4));
    EXPECT_EQ(std::string(data, 8), "untouchd");
    EXPECT_EQ(key.QueryString("four", "fb").View(), "fb"); // nor binary a string
    EXPECT_EQ(key.QueryString("long", "fb").View(), "fb");
    EXPECT_EQ(key.QueryString("missing", "fb").View(), "fb");
}

TEST_F(RegistryKey, WithoutAnOpenKeyQueriesFallBackAndWritesFail)
{
    CSettingsStore store(SettingsPath());
    CRegistryKey key;
    char data[4] = {};
    EXPECT_EQ(key.QueryString("Palette", "fb").View(), "fb");
    EXPECT_FALSE(key.QueryBinary("Left", data, 4));
    EXPECT_FALSE(key.SetString("Palette", CTextBuffer("x")));
    EXPECT_FALSE(key.SetBinary("Left", data, 4));
    EXPECT_TRUE(key.Close());

    EXPECT_FALSE(key.Open(store, kKey)); // never creates
    EXPECT_FALSE(key.SetString("Palette", CTextBuffer("x")));
    EXPECT_FALSE(fs::exists(SettingsPath()));
    EXPECT_FALSE(key.Create(store, ""));
    EXPECT_FALSE(key.Create(store, "bad\nkey"));
}

TEST_F(RegistryKey, CreateMakesTheKeyAndItsParentsOpenable)
{
    CSettingsStore store(SettingsPath());
    CRegistryKey key;
    ASSERT_TRUE(key.Create(store, kSubKey));
    EXPECT_TRUE(key.Close());
    EXPECT_TRUE(key.Open(store, kSubKey));
    EXPECT_TRUE(key.Open(store, kKey));
    EXPECT_TRUE(key.Open(store, "SOFTWARE"));
    EXPECT_FALSE(key.Open(store, "SOFTWARE\\ZV\\ZV Velloran\\Palette"));
}

TEST_F(RegistryKey, WritesLandTogetherAtCloseAndKeepOthersWrittenMeanwhile)
{
    CSettingsStore store(SettingsPath());
    CRegistryKey first;
    CRegistryKey second;
    ASSERT_TRUE(first.Create(store, kKey));
    ASSERT_TRUE(second.Create(store, kKey)); // both read the same, empty, file
    first.SetString("a", CTextBuffer("1"));
    first.SetString("b", CTextBuffer("2"));
    EXPECT_EQ(first.QueryString("A", "").View(), "1"); // its own writes are visible at once

    CRegistryKey reader;
    EXPECT_FALSE(reader.Open(store, kKey)); // nothing committed yet
    ASSERT_TRUE(first.Close());
    ASSERT_TRUE(reader.Open(store, kKey));
    EXPECT_EQ(reader.QueryString("b", "").View(), "2");

    second.SetString("c", CTextBuffer("3"));
    ASSERT_TRUE(second.Close()); // re-reads the file: a and b stay
    ASSERT_TRUE(reader.Open(store, kKey));
    EXPECT_EQ(reader.QueryString("a", "").View(), "1");
    EXPECT_EQ(reader.QueryString("b", "").View(), "2");
    EXPECT_EQ(reader.QueryString("c", "").View(), "3");
}

TEST_F(RegistryKey, AStringEndsAtItsFirstNul)
{
    CSettingsStore store(SettingsPath());
    CRegistryKey key;
    ASSERT_TRUE(key.Create(store, kKey));
    key.SetString("v", CTextBuffer("abc\0def", 7));
    ASSERT_TRUE(key.Close());
    ASSERT_TRUE(key.Open(store, kKey));
    EXPECT_EQ(key.QueryString("v", "").View(), "abc");
}

TEST_F(RegistryKey, AnUnwritableFolderFailsWritesAndFallsBackOnReads)
{
    WriteBytes(PathOf("file"), "a regular file where a folder should be");
    CSettingsStore store(PathOf("file/velloran/settings.reg"));
    CRegistryKey key;
    EXPECT_FALSE(key.Create(store, kKey));
    EXPECT_FALSE(key.Open(store, kKey));
    EXPECT_EQ(key.QueryString("Palette", "fb").View(), "fb");
    EXPECT_FALSE(SaveSchemeGroup(store, Scheme()));
    EXPECT_EQ(LoadSchemeGroup(store), Scheme());
    EXPECT_EQ(LoadWindowGroup(store), WindowOptions());

    // The folder exists, but the file's place is taken by a folder.
    fs::create_directories(SettingsPath());
    CSettingsStore blocked(SettingsPath());
    ASSERT_TRUE(key.Create(blocked, kKey));
    key.SetString("v", CTextBuffer("x"));
    EXPECT_FALSE(key.Close());
    EXPECT_TRUE(fs::is_directory(SettingsPath()));
}

TEST_F(RegistryKey, AHeldLockFailsTheCommitInsteadOfWaitingForever)
{
    CSettingsStore store(SettingsPath());
    ASSERT_TRUE(SavePaletteGroup(store, CTextBuffer("1\r\n")));
    const std::string before = ReadBytes(SettingsPath());

    const int holder = ::open(store.LockPath().c_str(), O_RDWR);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    store.SetLockTimeout(std::chrono::milliseconds(100));
    EXPECT_FALSE(SavePaletteGroup(store, CTextBuffer("2\r\n")));
    EXPECT_EQ(ReadBytes(SettingsPath()), before);
    EXPECT_EQ(LoadPaletteGroup(store).View(), "1\r\n"); // readers take no lock

    ::close(holder);
    EXPECT_TRUE(SavePaletteGroup(store, CTextBuffer("2\r\n")));
    EXPECT_EQ(LoadPaletteGroup(store).View(), "2\r\n");
}

TEST_F(RegistryKey, ASymbolicLinkToTheFileStaysALink)
{
    WriteBytes(PathOf("dotfiles/settings.reg"), "");
    fs::create_directories(fs::path(SettingsPath()).parent_path());
    fs::create_symlink(PathOf("dotfiles/settings.reg"), SettingsPath());
    CSettingsStore store(SettingsPath());
    ASSERT_TRUE(SavePaletteGroup(store, CTextBuffer("255\r\n")));
    EXPECT_TRUE(fs::is_symlink(SettingsPath()));
    EXPECT_NE(ReadBytes(PathOf("dotfiles/settings.reg")).find("255"), std::string::npos);
}

TEST_F(RegistryKey, TwoProcessesWritingAtOnceLoseNothing)
{
    constexpr int kRounds = 40;
    const char* const writers[] = {"a", "b"};
    std::vector<pid_t> children;
    for (const char* writer : writers) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            // Each round: one value in the key both share, one in a key of its own.
            CSettingsStore store(SettingsPath());
            int failures = 0;
            for (int i = 0; i < kRounds; ++i) {
                const std::string name = std::string(writer) + std::to_string(i);
                CRegistryKey key;
                if (!key.Create(store, kKey) || !key.SetString(name.c_str(), CTextBuffer(name.c_str())) || !key.Close())
                    ++failures;
                const std::string own = std::string(kKey) + "\\" + writer;
                if (!key.Create(store, own.c_str()) || !key.SetBinary(name.c_str(), &i, sizeof i) || !key.Close())
                    ++failures;
            }
            ::_exit(failures == 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    CSettingsStore store(SettingsPath());
    CRegistryKey key;
    for (const char* writer : writers) {
        const std::string own = std::string(kKey) + "\\" + writer;
        for (int i = 0; i < kRounds; ++i) {
            const std::string name = std::string(writer) + std::to_string(i);
            ASSERT_TRUE(key.Open(store, kKey));
            EXPECT_EQ(key.QueryString(name.c_str(), "lost").View(), name);
            ASSERT_TRUE(key.Open(store, own.c_str()));
            int stored = -1;
            EXPECT_TRUE(key.QueryBinary(name.c_str(), &stored, sizeof stored)) << name;
            EXPECT_EQ(stored, i);
        }
    }
    EXPECT_FALSE(store.Read().damaged);
}

TEST(SettingsStore, DefaultPathFollowsXdgConfigHome)
{
    const struct
    {
        const char* config; // nullptr: unset
        const char* home;
        const char* path;
    } cases[] = {
        {"/xdg", "/home/u", "/xdg/velloran/settings.reg"},
        {nullptr, "/home/u", "/home/u/.config/velloran/settings.reg"},
        {"", "/home/u", "/home/u/.config/velloran/settings.reg"},
        {"relative/config", "/home/u", "/home/u/.config/velloran/settings.reg"},
    };
    const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
    const char* savedHome = std::getenv("HOME");
    const std::string config = savedConfig ? savedConfig : "";
    const std::string home = savedHome ? savedHome : "";
    for (const auto& c : cases) {
        if (c.config)
            ::setenv("XDG_CONFIG_HOME", c.config, 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        ::setenv("HOME", c.home, 1);
        EXPECT_EQ(CSettingsStore::DefaultPath(), c.path) << (c.config ? c.config : "(unset)");
    }
    if (savedConfig)
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    if (savedHome)
        ::setenv("HOME", home.c_str(), 1);
    else
        ::unsetenv("HOME");
}
