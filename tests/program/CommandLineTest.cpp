// The program run from a shell: arguments, output, exit status, and exports
// over a folder of pages where some pages cannot be read or written.
#include "ScratchFiles.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <pty.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A pending alarm survives exec: a program that hangs is killed.
constexpr unsigned kTimeLimitSeconds = 60;

struct ProgramRun
{
    int status = -1;
    std::string out;
    std::string err;
};

struct RunOptions
{
    std::string input;                 // given on stdin
    std::optional<rlim_t> maxFileSize; // RLIMIT_FSIZE, with SIGXFSZ ignored
};

// The program with no display, settings in config, input from a pipe, and
// its output collected from files.
ProgramRun RunProgram(const CScratchDir& dir, const std::vector<std::string>& args, const RunOptions& options = {})
{
    const std::string outPath = dir.Path("stdout"), errPath = dir.Path("stderr"), inPath = dir.Path("stdin");
    WriteBytes(inPath, options.input);
    const pid_t pid = fork();
    if (pid == 0) {
        alarm(kTimeLimitSeconds);
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        setenv("XDG_CONFIG_HOME", dir.Path("config").c_str(), 1);
        if (options.maxFileSize) {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{*options.maxFileSize, *options.maxFileSize};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        const int in = open(inPath.c_str(), O_RDONLY);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        std::vector<char*> argv{const_cast<char*>(VELLORAN_PROGRAM)};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(VELLORAN_PROGRAM, argv.data());
        _exit(127);
    }
    ProgramRun run;
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = ReadBytes(outPath);
    run.err = ReadBytes(errPath);
    return run;
}

std::string Replace(std::string text, std::string_view from, std::string_view to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

constexpr char kModel[] = "<html><BODY BGCOLOR=\"#FFCC00\" text=#000080 leftmargin=4>x</body>";
constexpr char kTagOfModel[] = "<body bgcolor=\"#FFCC00\" text=\"#000080\" leftmargin=\"4\">";
constexpr char kUsageHint[] = "Essayez « velloran --help » pour en savoir plus.\n";

struct TagRow
{
    std::vector<std::string> args; // "{dir}" stands for the scratch folder
    int status;
    std::string out;
    std::string err;
};

TEST(CommandLine, AnswersWithoutADisplay)
{
    const std::string hint = kUsageHint;
    const TagRow rows[] = {
        {{"--tag"}, 0, "<body>\n", ""},
        {{"--tag", "--default"}, 0, "<body>\n", ""},
        {{"--tag", "--from", "{dir}/model.html"}, 0, std::string(kTagOfModel) + "\n", ""},
        {{"--upper-tags", "--from={dir}/model.html", "--lower-hex", "--tag"},
         0,
         "<BODY BGCOLOR=\"#ffcc00\" TEXT=\"#000080\" LEFTMARGIN=\"4\">\n",
         ""},
        {{"--version"}, 0, "Velloran v2.0\n", ""},
        {{"--tag", "--from", "{dir}/missing.html"},
         2,
         "",
         "velloran : impossible de lire « {dir}/missing.html » (fichier ou dossier introuvable)\n" + hint},
        {{"--tag", "--from", "{dir}/plain.html"},
         2,
         "",
         "velloran : « {dir}/plain.html » ne contient pas de balise <body>\n" + hint},
        {{"--tag", "--frobnicate"}, 2, "", "velloran : option inconnue : « --frobnicate »\n" + hint},
        {{"--export", "--from", "{dir}/plain.html", "{dir}/model.html"},
         2,
         "",
         "velloran : « {dir}/plain.html » ne contient pas de balise <body>\n" + hint},
    };
    CScratchDir dir;
    const std::string folder = dir.Folder().string();
    WriteBytes(dir.Path("model.html"), kModel);
    WriteBytes(dir.Path("plain.html"), "<p>rien</p>");
    for (const TagRow& row : rows) {
        std::vector<std::string> args;
        for (const std::string& arg : row.args)
            args.push_back(Replace(arg, "{dir}", folder));
        SCOPED_TRACE(::testing::PrintToString(args));
        const ProgramRun run = RunProgram(dir, args);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.out, row.out);
        EXPECT_EQ(run.err, Replace(row.err, "{dir}", folder));
    }
    EXPECT_EQ(ReadBytes(dir.Path("model.html")), kModel) << "a failed --from writes nothing";
    EXPECT_TRUE(RunProgram(dir, {"--help"}).out.starts_with("Usage : velloran --tag"));
}

// Failure lines in a set: the pages are written in parallel.
std::multiset<std::string> Lines(const std::string& text)
{
    std::multiset<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.insert(line);
    return lines;
}

TEST(CommandLine, UnreadableAndReadOnlyPagesFailAlone)
{
    CScratchDir dir;
    const bool root = geteuid() == 0;
    std::string input;
    std::vector<std::string> args{"--export", "--from", dir.Path("model.html")};
    WriteBytes(dir.Path("model.html"), kModel);
    for (int i = 0; i < 12; ++i) {
        const std::string page = dir.Path("site/p" + std::to_string(i) + ".html");
        WriteBytes(page, "<body bgcolor=\"#ffffff\">" + std::to_string(i));
        if (i % 2)
            input += page + "\n";
        else
            args.push_back(page);
    }
    args.push_back("-");

    // Root reads any file: there, a folder stands for the unreadable page.
    const std::string unreadable = dir.Path("site/unreadable.html");
    std::string unreadableReason = "c'est un dossier";
    if (root)
        fs::create_directory(unreadable);
    else {
        WriteBytes(unreadable, "<body>secret");
        fs::permissions(unreadable, fs::perms::none);
        unreadableReason = "permission refusée";
    }
    args.push_back(unreadable);

    // A page without any write bit is read-only for root too.
    const std::string readOnly = dir.Path("site/locked.html");
    WriteBytes(readOnly, "<body>locked");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read);
    args.push_back(readOnly);

    const ProgramRun run = RunProgram(dir, args, {input, std::nullopt});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(Lines(run.err), (std::multiset<std::string>{
                                  "velloran : " + unreadable + " : lecture impossible (" + unreadableReason + ")",
                                  "velloran : " + readOnly + " : écriture impossible (page en lecture seule)",
                                  "12 pages écrites, 2 en échec"}));
    EXPECT_TRUE(run.err.ends_with("2 en échec\n")) << "the summary comes last";
    EXPECT_EQ(run.err.find('\r'), std::string::npos) << "no progress line when stderr is not a terminal";
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(ReadBytes(dir.Path("site/p" + std::to_string(i) + ".html")),
                  std::string(kTagOfModel) + "\r\n<!-- body bgcolor=\"#ffffff\" -->" + std::to_string(i));
    EXPECT_EQ(ReadBytes(readOnly), "<body>locked");
}

// A small file system of its own where we may mount one (root), else a
// limit on the size of the files the program writes.
class CFullDisk
{
public:
    explicit CFullDisk(const CScratchDir& dir) : m_folder(dir.Path("small"))
    {
        fs::create_directory(m_folder);
        m_bMounted = mount("tmpfs", m_folder.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~CFullDisk()
    {
        if (m_bMounted)
            umount2(m_folder.c_str(), MNT_DETACH);
    }
    CFullDisk(const CFullDisk&) = delete;
    CFullDisk& operator=(const CFullDisk&) = delete;

    std::string Path(const std::string& name) const { return m_folder + "/" + name; }
    RunOptions Options() const { return m_bMounted ? RunOptions{} : RunOptions{"", 16 * 1024}; }
    std::string Reason() const { return m_bMounted ? "plus de place sur le disque" : "fichier trop grand"; }

private:
    std::string m_folder;
    bool m_bMounted = false;
};

TEST(CommandLine, FullDiskFailsThatPageOnly)
{
    CScratchDir dir;
    CFullDisk disk(dir);
    // 40 KiB: its new copy does not fit beside it in 64 KiB, nor in 16 KiB.
    const std::string big = "<body>" + std::string(40 * 1024, 'x');
    WriteBytes(disk.Path("big.html"), big);
    WriteBytes(disk.Path("small.html"), "<body>small");

    const ProgramRun run =
        RunProgram(dir, {"--export", "--quiet", disk.Path("big.html"), disk.Path("small.html")}, disk.Options());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "velloran : " + disk.Path("big.html") + " : écriture impossible (" + disk.Reason() +
                           ")\n1 page écrite, 1 en échec\n");
    EXPECT_EQ(ReadBytes(disk.Path("big.html")), big);
    EXPECT_EQ(ReadBytes(disk.Path("small.html")), "<body>\r\n<!-- body -->small");
}

// The program on a terminal, its pages coming slowly on a pipe: what it
// writes to the terminal.
std::string RunOnTerminal(const CScratchDir& dir, std::vector<std::string> args, int pages)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return "no pipe";
    int terminal = -1;
    const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (pid == 0) {
        alarm(kTimeLimitSeconds);
        dup2(pipeFds[0], 0);
        close(pipeFds[1]);
        setenv("XDG_CONFIG_HOME", dir.Path("config").c_str(), 1);
        std::vector<char*> argv{const_cast<char*>(VELLORAN_PROGRAM)};
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        execv(VELLORAN_PROGRAM, argv.data());
        _exit(127);
    }
    close(pipeFds[0]);
    std::string names;
    for (int i = 0; i < pages; ++i) {
        const std::string page = dir.Path("p" + std::to_string(i) + ".html");
        WriteBytes(page, "<body>");
        names += page + "\n";
    }
    [[maybe_unused]] const ssize_t written = write(pipeFds[1], names.data(), names.size());
    // The input stays open past two ticks of the progress line.
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    close(pipeFds[1]);
    std::string text;
    std::array<char, 4096> block;
    for (ssize_t n; (n = read(terminal, block.data(), block.size())) > 0;)
        text.append(block.data(), size_t(n));
    close(terminal);
    waitpid(pid, nullptr, 0);
    return text;
}

TEST(CommandLine, ProgressLineOnATerminalUnlessQuiet)
{
    CScratchDir dir;
    const std::string shown = RunOnTerminal(dir, {"--export", "-"}, 15);
    EXPECT_NE(shown.find("\r15 pages, "), std::string::npos) << shown;
    EXPECT_TRUE(shown.ends_with("\r\033[K15 pages écrites, 0 en échec\r\n")) << shown;
    const std::string quiet = RunOnTerminal(dir, {"--export", "--quiet", "-"}, 15);
    EXPECT_EQ(quiet, "15 pages écrites, 0 en échec\r\n");
}

} // namespace
