// The contract of ReplaceFile (files/AtomicFile.h), which every save uses.
#include "files/AtomicFile.h"
#include "ScratchFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr uid_t kOtherUser = 65534;
constexpr uid_t kThirdUser = 65533;

class AtomicFile : public ::testing::Test
{
protected:
    std::string PathOf(const char* name) const { return scratch.Path(name); }
    std::set<std::string> Entries() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }
    static struct stat StatOf(const std::string& path)
    {
        struct stat st
        {
        };
        EXPECT_EQ(stat(path.c_str(), &st), 0);
        return st;
    }
    // Runs body in a child process, as user when given and we are root; its
    // result, or false when it crashed or hung.
    static bool InChild(const std::function<bool()>& body, uid_t user = uid_t(-1))
    {
        const pid_t child = fork();
        if (child == 0) {
            alarm(10);
            if (user != uid_t(-1) && geteuid() == 0 &&
                (setgroups(0, nullptr) != 0 || setresgid(user, user, user) != 0 || setresuid(user, user, user) != 0))
                _exit(2);
            _exit(body() ? 0 : 1);
        }
        int status = 0;
        return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    // The folder, readable but not writable, and the page belong to the
    // other user (when we are root and can give them).
    void MakeFolderReadOnlyForOtherUser(const std::string& page) const
    {
        if (geteuid() == 0) {
            ASSERT_EQ(chown(folder.c_str(), kOtherUser, kOtherUser), 0);
            ASSERT_EQ(chown(page.c_str(), kOtherUser, kOtherUser), 0);
        }
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    }

    CScratchDir scratch;
    const fs::path& folder = scratch.Folder();
};

} // namespace

TEST_F(AtomicFile, WritesPiecesKeepsModeAndLeavesNoTemporary)
{
    const std::string existing = PathOf("page.htm");
    WriteBytes(existing, std::string(5000, 'o'));
    ASSERT_EQ(chmod(existing.c_str(), 0640), 0);
    ASSERT_TRUE(ReplaceFile(existing, [](const FilePieceWriter& write) {
        return write("one ") && write(std::string_view("\0two", 4)) && write("");
    }));
    EXPECT_EQ(ReadBytes(existing), std::string("one \0two", 8));
    EXPECT_EQ(StatOf(existing).st_mode & 07777, 0640u);

    const mode_t previous = umask(027);
    const bool saved = ReplaceFile(PathOf("fresh.htm"), "new");
    umask(previous);
    ASSERT_TRUE(saved);
    EXPECT_EQ(StatOf(PathOf("fresh.htm")).st_mode & 07777, 0640u);
    EXPECT_EQ(Entries(), (std::set<std::string>{"fresh.htm", "page.htm"}));
}

TEST_F(AtomicFile, FailuresLeaveTheTargetAndNoTemporary)
{
    WriteBytes(PathOf("plain"), "content");
    fs::create_directory(folder / "sub");
    ASSERT_EQ(mkfifo(PathOf("pipe").c_str(), 0600), 0);
    fs::create_symlink("loop", folder / "loop");
    for (const char* name : {"plain/out.htm", "missing/out.htm", "sub", "pipe", "loop"})
        EXPECT_FALSE(ReplaceFile(PathOf(name), "x")) << name;
    EXPECT_FALSE(ReplaceFile("", "x"));
    EXPECT_FALSE(ReplaceFile(PathOf("plain"), [](const FilePieceWriter& write) { return write("half") && false; }));
    // Cut short by the file size limit: the write fails, the save must too.
    EXPECT_TRUE(InChild([&] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16 * 1024, 16 * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        return !ReplaceFile(PathOf("plain"), std::string(256 * 1024, 'n'));
    }));
    EXPECT_EQ(ReadBytes(PathOf("plain")), "content");
    EXPECT_TRUE(fs::is_fifo(folder / "pipe"));
    EXPECT_EQ(Entries(), (std::set<std::string>{"loop", "pipe", "plain", "sub"}));
    EXPECT_TRUE(fs::is_empty(folder / "sub"));
}

TEST_F(AtomicFile, SymbolicLinksStayAndTheirTargetIsWritten)
{
    WriteBytes(PathOf("real/page.htm"), "old");
    fs::create_directory(folder / "links");
    fs::create_symlink("../real/page.htm", folder / "links/page.htm");
    fs::create_symlink(folder / "links/page.htm", folder / "chain.htm");
    fs::create_symlink("real/new.htm", folder / "dangling.htm");

    ASSERT_TRUE(ReplaceFile(PathOf("chain.htm"), "via chain"));
    ASSERT_TRUE(ReplaceFile(PathOf("dangling.htm"), "created"));
    EXPECT_TRUE(fs::is_symlink(folder / "chain.htm"));
    EXPECT_TRUE(fs::is_symlink(folder / "links/page.htm"));
    EXPECT_TRUE(fs::is_symlink(folder / "dangling.htm"));
    EXPECT_EQ(ReadBytes(PathOf("real/page.htm")), "via chain");
    EXPECT_EQ(ReadBytes(PathOf("real/new.htm")), "created");
}

// Without any write bit a file is read-only, for root too; a file of another
// user without write permission for us is refused as well.
TEST_F(AtomicFile, ReadOnlyFilesAreRefused)
{
    const std::string mine = PathOf("mine.htm");
    WriteBytes(mine, "old");
    ASSERT_EQ(chmod(mine.c_str(), 0444), 0);
    EXPECT_FALSE(ReplaceFile(mine, "new"));
    EXPECT_EQ(ReadBytes(mine), "old");

    if (geteuid() == 0) {
        const std::string theirs = PathOf("theirs.htm");
        WriteBytes(theirs, "old");
        ASSERT_EQ(chmod(folder.c_str(), 0777), 0);
        ASSERT_EQ(chmod(theirs.c_str(), 0644), 0);
        EXPECT_TRUE(InChild([&] { return !ReplaceFile(theirs, "new"); }, kOtherUser));
        EXPECT_EQ(ReadBytes(theirs), "old");
    }
    EXPECT_EQ(Entries().count("mine.htm"), 1u);
    EXPECT_EQ(Entries().size(), geteuid() == 0 ? 2u : 1u);
}

TEST_F(AtomicFile, OwnerAndGroupAreKeptWhenAllowedElseSetuidGoes)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to give files to other users";
    ASSERT_EQ(chmod(folder.c_str(), 0777), 0);
    const std::string kept = PathOf("kept.htm");
    WriteBytes(kept, "old");
    ASSERT_EQ(chown(kept.c_str(), kOtherUser, kOtherUser), 0);
    ASSERT_EQ(chmod(kept.c_str(), 06755), 0);
    ASSERT_TRUE(ReplaceFile(kept, "by root"));
    EXPECT_EQ(StatOf(kept).st_uid, kOtherUser);
    EXPECT_EQ(StatOf(kept).st_gid, kOtherUser);
    EXPECT_EQ(StatOf(kept).st_mode & 07777, 06755u);

    // Another user may write the file but cannot give it back to its owner.
    const std::string shared = PathOf("shared.htm");
    WriteBytes(shared, "old");
    ASSERT_EQ(chown(shared.c_str(), kOtherUser, kOtherUser), 0);
    ASSERT_EQ(chmod(shared.c_str(), 04777), 0);
    EXPECT_TRUE(InChild([&] { return ReplaceFile(shared, "by another"); }, kThirdUser));
    EXPECT_EQ(ReadBytes(shared), "by another");
    EXPECT_EQ(StatOf(shared).st_mode & 07777, 0777u);
}

TEST_F(AtomicFile, HardLinksAndExtendedAttributesSurvive)
{
    const std::string page = PathOf("page.htm");
    WriteBytes(page, "old");
    fs::create_hard_link(page, folder / "other-name.htm");
    const bool xattrs = setxattr(page.c_str(), "user.velloran.note", "kept", 4, 0) == 0;

    ASSERT_TRUE(ReplaceFile(page, "new"));
    EXPECT_EQ(ReadBytes(PathOf("other-name.htm")), "new");
    EXPECT_EQ(StatOf(page).st_nlink, 2u);
    // A failed in-place write puts the old text back under both names.
    ASSERT_FALSE(ReplaceFile(page, [](const FilePieceWriter& write) { return write("broken") && false; }));
    EXPECT_EQ(ReadBytes(PathOf("other-name.htm")), "new");
    EXPECT_EQ(Entries(), (std::set<std::string>{"other-name.htm", "page.htm"}));

    fs::remove(folder / "other-name.htm");
    ASSERT_TRUE(ReplaceFile(page, "renamed over"));
    if (!xattrs)
        GTEST_SKIP() << "no user extended attributes on this file system";
    char value[8] = {};
    EXPECT_EQ(getxattr(page.c_str(), "user.velloran.note", value, sizeof value), 4);
    EXPECT_EQ(std::string(value), "kept");
}

// As an ordinary user: a writable file in a folder we may not write.
TEST_F(AtomicFile, WritableFileInAReadOnlyFolderIsWrittenInPlace)
{
    const std::string page = PathOf("page.htm");
    WriteBytes(page, "old");
    MakeFolderReadOnlyForOtherUser(page);
    EXPECT_TRUE(
        InChild([&] { return ReplaceFile(page, "new") && !ReplaceFile(PathOf("fresh.htm"), "x"); }, kOtherUser));
    EXPECT_EQ(ReadBytes(page), "new");
    EXPECT_EQ(Entries(), std::set<std::string>{"page.htm"});
}

// Old stretches are copied from the file itself, or from its backup when it
// is written in place: beside it (a second name) or in the temporary folder
// (a read-only folder; another file system when TMPDIR is on /dev/shm, so
// the copy goes through memory). A stretch past the old end fails the save.
// A new content started over keeps nothing of what was written before.
TEST_F(AtomicFile, EditCopiesOldStretchesAndFailsPastTheOldEnd)
{
    const std::string page = PathOf("page.htm");
    const auto edit = [&](uint64_t offset, uint64_t length) {
        return EditFile(page, [=](int, const struct stat* old, const FilePieceWriter& write,
                                  const OldContentCopier& copy, const NewContentRestarter& startOver) {
            return old != nullptr && copy(0, 5) && write("dropped") && startOver() && copy(0, 2) && write("XY") &&
                   copy(offset, length);
        });
    };
    const auto check = [&] {
        return edit(4, 2) && ReadBytes(page) == "abXYef" && !edit(4, 3) && ReadBytes(page) == "abXYef";
    };
    WriteBytes(page, "abcdef");
    EXPECT_TRUE(check());
    fs::create_hard_link(page, folder / "other-name.htm");
    WriteBytes(page, "abcdef");
    EXPECT_TRUE(check());
    EXPECT_EQ(ReadBytes(PathOf("other-name.htm")), "abXYef");
    fs::remove(folder / "other-name.htm");

    WriteBytes(page, "abcdef");
    MakeFolderReadOnlyForOtherUser(page);
    EXPECT_TRUE(
        InChild([&] { return (!fs::is_directory("/dev/shm") || setenv("TMPDIR", "/dev/shm", 1) == 0) && check(); },
                kOtherUser));
    EXPECT_EQ(Entries(), std::set<std::string>{"page.htm"});
}

// Only our own temporaries of a process that is gone are removed, at the
// first save into their folder.
TEST_F(AtomicFile, StaleTemporariesOfDeadProcessesGo)
{
    const pid_t dead = fork();
    if (dead == 0)
        _exit(0);
    ASSERT_GT(dead, 0);
    ASSERT_EQ(waitpid(dead, nullptr, 0), dead);
    const std::string stale = ".page.htm.velloran-tmp-" + std::to_string(dead) + "-1";
    const std::string living = ".page.htm.velloran-tmp-" + std::to_string(getppid()) + "-1";
    const std::string backup = ".page.htm.velloran-backup-" + std::to_string(dead) + "-1";
    const std::string foreign = ".page.htm.tmp" + std::to_string(dead) + "-1";
    const std::string lookalike = ".page.htm.velloran-tmp-" + std::to_string(dead) + "-x";
    const std::string theirs = ".page.htm.velloran-tmp-" + std::to_string(dead) + "-2";
    for (const std::string& name : {stale, living, backup, foreign, lookalike, theirs})
        WriteBytes(PathOf(name.c_str()), "partial");
    std::set<std::string> left{living, backup, foreign, lookalike, "other.htm"};
    if (geteuid() == 0 && chown(PathOf(theirs.c_str()).c_str(), kOtherUser, kOtherUser) == 0)
        left.insert(theirs);
    ASSERT_TRUE(ReplaceFile(PathOf("other.htm"), "new"));
    EXPECT_EQ(Entries(), left);

    // Later saves into the folder do not read it again: saving every page of
    // a large folder stays linear.
    WriteBytes(PathOf(stale.c_str()), "partial");
    ASSERT_TRUE(ReplaceFile(PathOf("other.htm"), "newer"));
    EXPECT_TRUE(Entries().contains(stale));
}
