// The program run from a shell, with no display: arguments, output, exit
// status, and exports where some pages cannot be read or written.
#include "ScratchFiles.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <optional>
#include <set>
#include <sstream>
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

// In a forked child: the program with no display, settings in the scratch
// folder, killed if it hangs (a pending alarm survives exec).
[[noreturn]] void ExecProgram(const CScratchDir& dir, const std::vector<std::string>& args)
{
    alarm(60);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    setenv("XDG_CONFIG_HOME", dir.Path("config").c_str(), 1);
    std::vector<char*> argv{const_cast<char*>(VELLORAN_PROGRAM)};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(VELLORAN_PROGRAM, argv.data());
    _exit(127);
}

struct ProgramRun
{
    int status = -1;
    std::string out, err;
};

// maxFileSize: RLIMIT_FSIZE for the program, SIGXFSZ ignored.
ProgramRun RunProgram(const CScratchDir& dir, const std::vector<std::string>& args, const std::string& input = "",
                      std::optional<rlim_t> maxFileSize = std::nullopt)
{
    const std::string out = dir.Path("stdout"), err = dir.Path("stderr"), in = dir.Path("stdin");
    WriteBytes(in, input);
    const pid_t pid = fork();
    if (pid == 0) {
        if (maxFileSize) {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{*maxFileSize, *maxFileSize};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        dup2(open(in.c_str(), O_RDONLY), 0);
        dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        ExecProgram(dir, args);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), ReadBytes(out), ReadBytes(err)};
}

std::string WithFolder(std::string text, const std::string& folder)
{
    for (size_t at; (at = text.find("{dir}")) != std::string::npos;)
        text.replace(at, 5, folder);
    return text;
}

constexpr char kModel[] = "<html><BODY BGCOLOR=\"#FFCC00\" text=#000080 leftmargin=4>x</body>";
constexpr char kTagOfModel[] = "<body bgcolor=\"#FFCC00\" text=\"#000080\" leftmargin=\"4\">";
constexpr char kHint[] = "\nEssayez « velloran --help » pour en savoir plus.\n";

TEST(CommandLine, AnswersWithoutADisplay)
{
    const struct
    {
        std::vector<std::string> args; // "{dir}" stands for the scratch folder
        int status;
        std::string out, err;
    } rows[] = {
        {{"--tag", "--default"}, 0, "<body>\n", ""},
        {{"--tag", "--from", "{dir}/model.html"}, 0, std::string(kTagOfModel) + "\n", ""},
        {{"--upper-tags", "--from={dir}/model.html", "--lower-hex", "--tag"},
         0,
         "<BODY BGCOLOR=\"#ffcc00\" TEXT=\"#000080\" LEFTMARGIN=\"4\">\n",
         ""},
        {{"--css", "--from", "{dir}/model.html", "--lower-hex"},
         0,
         "body {\n  background-color: #ffcc00;\n  color: #000080;\n  margin-left: 4px;\n}\n",
         ""},
        {{"--css"}, 0, "", ""}, // the default scheme needs no rule
        {{"--version"}, 0, "Velloran v2.0\n", ""},
        {{"--tag", "--from", "{dir}/no.html"},
         2,
         "",
         "velloran : impossible de lire « {dir}/no.html » (fichier ou dossier introuvable)" + std::string(kHint)},
        {{"--export", "--from", "{dir}/plain.html", "{dir}/model.html"},
         2,
         "",
         "velloran : « {dir}/plain.html » ne contient pas de balise <body>" + std::string(kHint)},
        {{"--tag", "--frobnicate"}, 2, "", "velloran : option inconnue : « --frobnicate »" + std::string(kHint)},
    };
    CScratchDir dir;
    const std::string folder = dir.Folder().string();
    WriteBytes(dir.Path("model.html"), kModel);
    WriteBytes(dir.Path("plain.html"), "<p>rien</p>");
    for (const auto& row : rows) {
        std::vector<std::string> args;
        for (const std::string& arg : row.args)
            args.push_back(WithFolder(arg, folder));
        const ProgramRun run = RunProgram(dir, args);
        EXPECT_EQ(run.status, row.status) << ::testing::PrintToString(args);
        EXPECT_EQ(run.out, row.out) << ::testing::PrintToString(args);
        EXPECT_EQ(run.err, WithFolder(row.err, folder)) << ::testing::PrintToString(args);
    }
    EXPECT_EQ(ReadBytes(dir.Path("model.html")), kModel) << "a --from that gives no scheme writes nothing";
}

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
    WriteBytes(dir.Path("model.html"), kModel);
    std::vector<std::string> args{"--export", "--from", dir.Path("model.html"), "-"};
    std::string input; // half the pages come on stdin
    for (int i = 0; i < 12; ++i) {
        const std::string page = dir.Path("site/p" + std::to_string(i) + ".html");
        WriteBytes(page, "<body bgcolor=\"#ffffff\">" + std::to_string(i));
        i % 2 ? input += page + "\n" : args.emplace_back(page);
    }
    // Root reads any file: for root a folder stands for the unreadable page.
    const std::string unreadable = dir.Path("site/unreadable.html");
    const bool root = geteuid() == 0;
    if (root)
        fs::create_directory(unreadable);
    else {
        WriteBytes(unreadable, "<body>secret");
        fs::permissions(unreadable, fs::perms::none);
    }
    // A page without any write bit is read-only for root too.
    const std::string readOnly = dir.Path("site/locked.html");
    WriteBytes(readOnly, "<body>locked");
    fs::permissions(readOnly, fs::perms::owner_read);
    args.insert(args.end(), {unreadable, readOnly});

    const ProgramRun run = RunProgram(dir, args, input);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(Lines(run.err),
              (std::multiset<std::string>{"velloran : " + unreadable + " : lecture impossible (" +
                                              (root ? "c'est un dossier" : "permission refusée") + ")",
                                          "velloran : " + readOnly + " : écriture impossible (page en lecture seule)",
                                          "12 pages écrites, 2 en échec"}));
    EXPECT_TRUE(run.err.ends_with("2 en échec\n")) << "the summary comes last";
    EXPECT_EQ(run.err.find('\r'), std::string::npos) << "no progress line when stderr is not a terminal";
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(ReadBytes(dir.Path("site/p" + std::to_string(i) + ".html")),
                  std::string(kTagOfModel) + "\r\n<!-- body bgcolor=\"#ffffff\" -->" + std::to_string(i));
    EXPECT_EQ(ReadBytes(readOnly), "<body>locked");
}

TEST(CommandLine, FullDiskFailsThatPageOnly)
{
    // A 64 KiB file system of its own where we may mount one, else a 16 KiB
    // limit on the size of the files the program writes.
    CScratchDir dir;
    const std::string small = dir.Path("small");
    fs::create_directory(small);
    const bool mounted = mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") == 0;
    // 40 KiB: its new copy fits beside it in neither. The other page is
    // elsewhere: pages are written side by side, and the big one's copy may
    // fill the small file system at any moment.
    const std::string big = "<body>" + std::string(40 * 1024, 'x');
    WriteBytes(small + "/big.html", big);
    const std::string other = dir.Path("other.html");
    WriteBytes(other, "<body>small");

    const ProgramRun run = RunProgram(dir, {"--export", small + "/big.html", other}, "",
                                      mounted ? std::nullopt : std::optional<rlim_t>(16 * 1024));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "velloran : " + small + "/big.html : écriture impossible (" +
                           (mounted ? "plus de place sur le disque" : "fichier trop grand") +
                           ")\n1 page écrite, 1 en échec\n");
    EXPECT_EQ(ReadBytes(small + "/big.html"), big);
    EXPECT_EQ(ReadBytes(other), "<body>\r\n<!-- body -->small");
    if (mounted)
        umount2(small.c_str(), MNT_DETACH);
}

// What the program writes on a terminal while its 15 pages come on a pipe
// that stays open past two ticks of the progress line.
std::string RunOnTerminal(const CScratchDir& dir, const std::vector<std::string>& args)
{
    int input[2];
    int terminal = -1;
    if (pipe(input) != 0)
        return "no pipe";
    if (forkpty(&terminal, nullptr, nullptr, nullptr) == 0) {
        dup2(input[0], 0);
        close(input[1]);
        ExecProgram(dir, args);
    }
    close(input[0]);
    std::string names;
    for (int i = 0; i < 15; ++i)
        names += dir.Path("p" + std::to_string(i) + ".html") + "\n";
    [[maybe_unused]] const ssize_t written = write(input[1], names.data(), names.size());
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    close(input[1]);
    std::string text;
    std::array<char, 4096> block;
    for (ssize_t n; (n = read(terminal, block.data(), block.size())) > 0;)
        text.append(block.data(), size_t(n));
    close(terminal);
    wait(nullptr);
    return text;
}

TEST(CommandLine, ProgressLineOnATerminalUnlessQuiet)
{
    CScratchDir dir;
    const std::string shown = RunOnTerminal(dir, {"--export", "-"});
    EXPECT_NE(shown.find("\r15 pages, "), std::string::npos) << shown;
    EXPECT_TRUE(shown.ends_with("\r\033[K15 pages écrites, 0 en échec\r\n")) << shown;
    EXPECT_EQ(RunOnTerminal(dir, {"--export", "--quiet", "-"}), "15 pages écrites, 0 en échec\r\n");
}

} // namespace
