#include "Printers.h"
#include "ScratchFiles.h"
#include "text/TextBuffer.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class TextBufferFile : public ::testing::Test
{
protected:
    std::string PathOf(const char* name) const { return scratch.Path(name); }

    static void Write(const std::string& path, const std::string& bytes) { WriteBytes(path, bytes); }
    static std::string Read(const std::string& path) { return ReadBytes(path); }
    // What the folder holds: a failed save must leave no temporary file behind.
    std::set<std::string> Entries() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }
    static mode_t ModeOf(const std::string& path)
    {
        struct stat st;
        EXPECT_EQ(stat(path.c_str(), &st), 0);
        return st.st_mode & 07777;
    }

    CScratchDir scratch;
    const fs::path& folder = scratch.Folder();
};

const std::string kBinary("<html>\r\n\0\xC9\xFF\n\r<body>\r\n", 20);

} // namespace

TEST_F(TextBufferFile, LoadRows)
{
    Write(PathOf("binary.htm"), kBinary);
    Write(PathOf("empty.htm"), "");

    CTextBuffer b("previous");
    EXPECT_FALSE(b.LoadFile(PathOf("missing.htm").c_str()));
    EXPECT_EQ(b.View(), "previous");
    EXPECT_FALSE(b.LoadFile(folder.c_str()));
    EXPECT_EQ(b.View(), "previous");

    ASSERT_TRUE(b.LoadFile(PathOf("binary.htm").c_str()));
    EXPECT_EQ(b.View(), kBinary);
    EXPECT_EQ(b.Capacity(), 40u); // "previous" held 16 bytes
    EXPECT_EQ(b.Data()[b.Length()], '\0');
    ASSERT_TRUE(b.LoadFile(PathOf("empty.htm").c_str()));
    EXPECT_EQ(b.View(), "");
    EXPECT_EQ(b.Capacity(), 40u);
}

TEST_F(TextBufferFile, LoadClearsTheLineIndex)
{
    Write(PathOf("two.txt"), "a\r\nb");
    CTextBuffer b("x");
    ASSERT_EQ(b.IndexLines(), 1u);
    ASSERT_TRUE(b.LoadFile(PathOf("two.txt").c_str()));
    EXPECT_EQ(b.GetLine(1).View(), "b");
}

TEST_F(TextBufferFile, LoadOfTwoGigabytesFailsBeforeAllocating)
{
    const std::string path = PathOf("sparse.htm");
    Write(path, "");
    // Sparse files: 2 GiB + 1 does not fit, 4 GiB + 1 would wrap to 1 byte in 32 bits.
    for (const off_t size : {(off_t(1) << 31) + 1, (off_t(1) << 32) + 1}) {
        ASSERT_EQ(truncate(path.c_str(), size), 0);
        CTextBuffer b("kept");
        EXPECT_FALSE(b.LoadFile(path.c_str())) << size;
        EXPECT_EQ(b.View(), "kept");
        EXPECT_EQ(b.Capacity(), 8u);
    }
}

TEST_F(TextBufferFile, SaveRoundTripsBytesAndReplacesLongerFiles)
{
    const std::string path = PathOf("out.htm");
    Write(path, std::string(5000, 'o'));
    const CTextBuffer b(kBinary.data(), static_cast<uint32_t>(kBinary.size()));
    ASSERT_TRUE(b.SaveFile(path.c_str()));
    EXPECT_EQ(Read(path), kBinary);
    CTextBuffer back;
    ASSERT_TRUE(back.LoadFile(path.c_str()));
    EXPECT_EQ(back.View(), kBinary);
    EXPECT_EQ(Entries(), std::set<std::string>{"out.htm"});
}

TEST_F(TextBufferFile, SaveFailsOnPathsThatCannotHoldTheFile)
{
    Write(PathOf("plain"), "content");
    EXPECT_FALSE(CTextBuffer("x").SaveFile(PathOf("plain/out.htm").c_str()));
    EXPECT_FALSE(CTextBuffer("x").SaveFile(PathOf("missing/out.htm").c_str()));
    EXPECT_FALSE(CTextBuffer("x").SaveFile(""));
    fs::create_directory(folder / "sub");
    EXPECT_FALSE(CTextBuffer("x").SaveFile(PathOf("sub").c_str()));
    ASSERT_EQ(mkfifo(PathOf("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(CTextBuffer("x").SaveFile(PathOf("pipe").c_str()));
    EXPECT_TRUE(fs::is_fifo(folder / "pipe"));
    EXPECT_EQ(Read(PathOf("plain")), "content");
    EXPECT_EQ(Entries(), (std::set<std::string>{"pipe", "plain", "sub"}));
    EXPECT_TRUE(fs::is_empty(folder / "sub"));
}

TEST_F(TextBufferFile, SaveFailsInAReadOnlyFolder)
{
    const std::string path = PathOf("out.htm");
    Write(path, "original");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    // Permission bits do not stop root: then save as an unprivileged owner of the folder.
    const bool asRoot = geteuid() == 0;
    if (asRoot) {
        ASSERT_EQ(chown(folder.c_str(), 65534, 65534), 0);
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (asRoot && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        _exit(CTextBuffer("new").SaveFile(path.c_str()) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(Read(path), "original");
    EXPECT_EQ(Entries(), std::set<std::string>{"out.htm"});
}

TEST_F(TextBufferFile, SaveCutShortLeavesTheOriginalIntact)
{
    const std::string path = PathOf("page.htm");
    const std::string original(1000, 'k');
    Write(path, original);
    const CTextBuffer big(std::string(256 * 1024, 'n').c_str());

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16 * 1024, 16 * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(big.SaveFile(path.c_str()) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "a save past the file size limit reported success";
    EXPECT_EQ(Read(path), original);
    EXPECT_EQ(Entries(), std::set<std::string>{"page.htm"});
}

TEST_F(TextBufferFile, SaveKeepsPermissionBits)
{
    const std::string existing = PathOf("shared.htm");
    Write(existing, "old");
    ASSERT_EQ(chmod(existing.c_str(), 0640), 0);
    ASSERT_TRUE(CTextBuffer("new").SaveFile(existing.c_str()));
    EXPECT_EQ(ModeOf(existing), 0640u);

    const mode_t previous = umask(027);
    const bool saved = CTextBuffer("new").SaveFile(PathOf("fresh.htm").c_str());
    umask(previous);
    ASSERT_TRUE(saved);
    EXPECT_EQ(ModeOf(PathOf("fresh.htm")), 0640u);
}

TEST_F(TextBufferFile, SaveThroughSymbolicLinksReplacesTheTarget)
{
    fs::create_directory(folder / "real");
    fs::create_directory(folder / "links");
    Write(PathOf("real/page.htm"), "old");
    fs::create_symlink("../real/page.htm", folder / "links/page.htm");
    fs::create_symlink(folder / "links/page.htm", folder / "chain.htm");
    fs::create_symlink("real/new.htm", folder / "dangling.htm");

    ASSERT_TRUE(CTextBuffer("via chain").SaveFile(PathOf("chain.htm").c_str()));
    EXPECT_TRUE(fs::is_symlink(folder / "chain.htm"));
    EXPECT_TRUE(fs::is_symlink(folder / "links/page.htm"));
    EXPECT_EQ(Read(PathOf("real/page.htm")), "via chain");

    ASSERT_TRUE(CTextBuffer("created").SaveFile(PathOf("dangling.htm").c_str()));
    EXPECT_TRUE(fs::is_symlink(folder / "dangling.htm"));
    EXPECT_EQ(Read(PathOf("real/new.htm")), "created");
    EXPECT_EQ(Entries(), (std::set<std::string>{"chain.htm", "dangling.htm", "links", "real"}));

    fs::create_symlink("loop.htm", folder / "loop.htm");
    EXPECT_FALSE(CTextBuffer("x").SaveFile(PathOf("loop.htm").c_str()));
}
