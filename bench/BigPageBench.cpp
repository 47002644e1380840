// Import and export of big pages against `grep -ci '<body'` (C locale) and
// `cp` + `sync` of the same file, interleaved round by round in one run. Every
// operation runs in a process of its own, so its wall time and peak RSS are
// its own; this driver stays small because a child's peak RSS counts the
// memory it had before exec.
//
//   velloran_bench_bigpage [--dir=FOLDER] [--sizes=256,1024] [--rounds=5]
//
// The pages (sizes in MiB) are generated in a new folder under FOLDER (default
// the temporary folder) and removed at the end. "--import=FILE" and
// "--export=FILE" run one operation and are what the driver starts.
#include "PageText.h"
#include "model/Scheme.h"
#include "text/HtmlExport.h"
#include "text/HtmlImport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr std::string_view kNewTag = "<body bgcolor=\"#FFFFCC\" text=\"#000080\" link=\"#0000FF\">";

struct Run
{
    double seconds = 0;
    double cpuSeconds = 0; // user + system
    double peakMiB = 0;
};

double Now()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Runs the program with its output thrown away; false when it fails.
bool Spawn(const std::vector<std::string>& args, Run& run, bool cLocale = false)
{
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> env;
    std::string locale = "LC_ALL=C";
    for (char** e = environ; *e; ++e)
        if (!cLocale || std::strncmp(*e, "LC_", 3) != 0)
            env.push_back(*e);
    if (cLocale)
        env.push_back(locale.data());
    env.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const double start = Now();
    pid_t pid;
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed)
        return false;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return false;
    run.seconds += Now() - start;
    for (const timeval& t : {usage.ru_utime, usage.ru_stime})
        run.cpuSeconds += double(t.tv_sec) + double(t.tv_usec) * 1e-6;
    run.peakMiB = std::max(run.peakMiB, double(usage.ru_maxrss) / 1024);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool WritePage(const std::string& path, size_t size)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    std::string chunk;
    bool ok = true;
    GeneratePageText(size, [&](std::string_view piece) {
        chunk += piece;
        if (chunk.size() >= (1u << 20)) {
            ok = ok && std::fwrite(chunk.data(), 1, chunk.size(), file) == chunk.size();
            chunk.clear();
        }
    });
    ok = ok && std::fwrite(chunk.data(), 1, chunk.size(), file) == chunk.size();
    ok = std::fclose(file) == 0 && ok;
    Run flush;
    return ok && Spawn({"sync", path}, flush);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Series
{
    const char* name;
    std::vector<Run> runs;

    double MedianOf(double Run::*field) const
    {
        std::vector<double> v;
        for (const Run& r : runs)
            v.push_back(r.*field);
        return Median(v);
    }
    double MaxPeak() const
    {
        double m = 0;
        for (const Run& r : runs)
            m = std::max(m, r.peakMiB);
        return m;
    }
};

// Median over the rounds of ours / reference.
double MedianRatio(const Series& ours, const Series& reference, double Run::*field)
{
    std::vector<double> ratios;
    for (size_t i = 0; i < ours.runs.size() && i < reference.runs.size(); ++i)
        ratios.push_back(ours.runs[i].*field / reference.runs[i].*field);
    return Median(ratios);
}

void Report(const Series& ours, const Series& reference, double fileMiB)
{
    for (const Series* series : {&ours, &reference})
        std::printf("  %-8s wall %8.1f ms  CPU %8.1f ms  peak RSS %7.1f MiB (%.2fx the file)\n", series->name,
                    series->MedianOf(&Run::seconds) * 1000, series->MedianOf(&Run::cpuSeconds) * 1000,
                    series->MaxPeak(), series->MaxPeak() / fileMiB);
    std::printf("  %s / %s, median of per-round ratios: wall %.2f, CPU %.2f\n", ours.name, reference.name,
                MedianRatio(ours, reference, &Run::seconds), MedianRatio(ours, reference, &Run::cpuSeconds));
}

bool Measure(const std::string& self, const std::string& folder, size_t mib, int rounds)
{
    const std::string page = folder + "/page.html";
    const std::string copy = folder + "/copy.html";
    if (!WritePage(page, mib << 20)) {
        std::fprintf(stderr, "cannot write %s\n", page.c_str());
        return false;
    }
    Series grep{"grep -ci", {}}, import{"import", {}}, copySync{"cp+sync", {}}, exportRun{"export", {}};
    for (int round = 0; round < rounds; ++round) {
        Run g, i, c, e;
        // The exports add a comment each: the page grows by a few dozen bytes a round.
        // The two writers take turns at going first: the second finds the
        // first one's new file in memory and must take pages the system has
        // not used lately, which on a virtual machine costs up to three times
        // the CPU for the same copy.
        const auto copyAndSync = [&] { return Spawn({"cp", page, copy}, c) && Spawn({"sync", copy}, c); };
        const auto exportPage = [&] { return Spawn({self, "--export=" + page}, e); };
        const bool ok = Spawn({"grep", "-ci", "<body", page}, g, true) && Spawn({self, "--import=" + page}, i) &&
                        (round % 2 == 0 ? copyAndSync() && exportPage() : exportPage() && copyAndSync());
        unlink(copy.c_str());
        if (!ok) {
            std::fprintf(stderr, "round %d failed\n", round + 1);
            return false;
        }
        grep.runs.push_back(g);
        import.runs.push_back(i);
        copySync.runs.push_back(c);
        exportRun.runs.push_back(e);
    }
    unlink(page.c_str());
    const double fileMiB = double(mib);
    std::printf("%zu MiB page, %d rounds, medians:\n", mib, rounds);
    Report(import, grep, fileMiB);
    Report(exportRun, copySync, fileMiB);
    std::fflush(stdout);
    return true;
}

const char* Option(const char* arg, const char* name)
{
    const size_t n = std::strlen(name);
    return std::strncmp(arg, name, n) == 0 ? arg + n : nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    std::string folderBase = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp";
    std::vector<size_t> sizes{256, 1024};
    int rounds = 5;
    for (int a = 1; a < argc; ++a) {
        if (const char* path = Option(argv[a], "--import=")) {
            Scheme scheme;
            return ImportBodyTag(path, scheme) == ImportResult::Imported ? 0 : 1;
        }
        if (const char* path = Option(argv[a], "--export="))
            return ExportBodyTag(path, kNewTag, false) == ExportResult::Exported ? 0 : 1;
        if (const char* value = Option(argv[a], "--dir=")) {
            folderBase = value;
        } else if (const char* value = Option(argv[a], "--rounds=")) {
            rounds = std::max(1, std::atoi(value));
        } else if (const char* value = Option(argv[a], "--sizes=")) {
            sizes.clear();
            for (const char* p = value; *p;) {
                char* end;
                sizes.push_back(std::strtoul(p, &end, 10));
                if (end == p)
                    break;
                p = *end == ',' ? end + 1 : end;
            }
        } else {
            std::fprintf(stderr, "usage: %s [--dir=FOLDER] [--sizes=256,1024] [--rounds=N]\n", argv[0]);
            return 2;
        }
    }
    std::string folder = folderBase + "/velloran-bigpage-XXXXXX";
    if (!mkdtemp(folder.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        return 1;
    self[n] = '\0';
    bool ok = true;
    for (const size_t mib : sizes)
        ok = ok && mib > 0 && Measure(self, folder, mib, rounds);
    unlink((folder + "/page.html").c_str());
    rmdir(folder.c_str());
    return ok ? 0 : 1;
}
