#include "Printers.h"
#include "ScratchFiles.h"
#include "text/HtmlExport.h"
#include "text/HtmlImport.h"
#include "text/TextBuffer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <thread>

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
        // Import and export, which read a piece at a time, refuse it as well.
        Scheme scheme;
        EXPECT_EQ(ImportBodyTag(path.c_str(), scheme), ImportResult::CannotRead);
        EXPECT_EQ(ExportBodyTag(path.c_str(), "<body>", false), ExportResult::CannotRead);
        EXPECT_EQ(fs::file_size(path), uintmax_t(size));
    }
}

// The rest of saving is the contract of files/AtomicFile.h.
TEST_F(TextBufferFile, SaveRoundTripsBytes)
{
    const std::string path = PathOf("out.htm");
    Write(path, std::string(5000, 'o'));
    const CTextBuffer b(kBinary.data(), static_cast<uint32_t>(kBinary.size()));
    ASSERT_TRUE(b.SaveFile(path.c_str()));
    CTextBuffer back;
    ASSERT_TRUE(back.LoadFile(path.c_str()));
    EXPECT_EQ(back.View(), kBinary);
    EXPECT_FALSE(b.SaveFile(nullptr));
}

// A FIFO or a device chosen as a page must fail at once, not wait for a writer.
TEST_F(TextBufferFile, NonRegularFilesFailAtOnce)
{
    ASSERT_EQ(mkfifo(PathOf("pipe").c_str(), 0600), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        alarm(5);
        CTextBuffer b("kept");
        const bool failed = !b.LoadFile(PathOf("pipe").c_str()) && !b.LoadFile("/dev/zero") && b.View() == "kept" &&
                            ExportBodyTag(PathOf("pipe").c_str(), "<body>", false) == ExportResult::CannotRead;
        _exit(failed ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

// A reader that maps the file dies of SIGBUS past the new end; this one keeps
// a prefix of the old bytes, at least the part that stays.
TEST_F(TextBufferFile, LoadOfAFileThatShrinksMeanwhileKeepsAPrefix)
{
    const std::string path = PathOf("shrinking.htm");
    std::string content(size_t(32) << 20, '\0');
    for (size_t i = 0; i < content.size(); ++i)
        content[i] = char('a' + i % 23);
    const size_t kept = content.size() / 3 + 1;
    bool shrank = false;
    for (int attempt = 0; attempt < 20 && !shrank; ++attempt) {
        Write(path, content);
        std::thread cutter([&] {
            std::this_thread::sleep_for(std::chrono::microseconds(250 * attempt));
            EXPECT_EQ(truncate(path.c_str(), off_t(kept)), 0);
        });
        CTextBuffer b;
        const bool loaded = b.LoadFile(path.c_str());
        cutter.join();
        ASSERT_TRUE(loaded);
        ASSERT_GE(b.Length(), kept);
        ASSERT_TRUE(b.View() == std::string_view(content).substr(0, b.Length())) << b.Length();
        shrank = b.Length() < content.size();
    }
    EXPECT_TRUE(shrank) << "the file was never cut while it was read";
}
