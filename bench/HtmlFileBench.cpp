// Import and export of a 256 MiB page through real files, each next to a
// reference in the same run: reading the whole file (import), and reading it
// and writing it again through a synced temporary file (export). The page is
// generated: a head, the body tag, then markup, or the same markup then the
// tag ("tag-last", the worst case). The reading of the tag alone is timed on
// the page in memory (ImportBodyText) against visiting every '<' of it with
// memchr, the least any reader that stops at each tag must do. Uses only
// ImportBodyTag, ImportBodyText and ExportBodyTag, so the same file measures
// any version of them.
#include "model/Scheme.h"
#include "text/HtmlExport.h"
#include "text/HtmlImport.h"
#include "text/TextBuffer.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr size_t kPageSize = size_t(256) << 20;
constexpr const char* kBodyTag = "<body bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#0000FF\">\r\n";

// Tags, comments, an inline script and style, near misses of "<body" and CR LF lines.
std::string Markup(size_t size)
{
    static const char* const pieces[] = {
        "<div class=\"article\">\r\n",
        "<p>Lorem ipsum dolor sit amet, <b>consectetur</b> adipiscing elit.</p>\r\n",
        "<a href=\"page42.htm\" title=\"Suite &amp; fin\">Suite</a><br>\r\n",
        "<TABLE BORDER=0><TR><TD>Colonne</TD></TR></TABLE>\r\n",
        "<!-- commentaire -->\r\n",
        "<img src=\"images/fond.gif\" alt=\"Image\">\r\n",
        "<span style=\"color:#FF0000\">Texte en rouge</span>\r\n",
        "<script>var n = 1; if (n < 2) { n++; }</script>\r\n",
        "<style>p { margin: 0 }</style>\r\n",
        "<p>Bordure et bobine: <bdo dir=\"ltr\">bo</bdo></p>\r\n",
    };
    std::string s;
    s.reserve(size + 256);
    uint32_t seed = 12345;
    for (;;) {
        seed = seed * 1103515245u + 12345u;
        const std::string_view piece = pieces[(seed >> 16) % (sizeof pieces / sizeof pieces[0])];
        if (s.size() + piece.size() > size)
            break;
        s += piece;
    }
    s.resize(size, ' '); // whole pieces only, so that the tag after them is outside any script or comment
    return s;
}

const std::string& Page(bool tagLast)
{
    static std::string pages[2];
    std::string& page = pages[tagLast];
    if (page.empty()) {
        const std::string head = "<html><head><title>Page</title></head>\r\n";
        const std::string markup = Markup(kPageSize - head.size() - std::string(kBodyTag).size());
        page = tagLast ? head + markup + kBodyTag : head + kBodyTag + markup;
    }
    return page;
}

std::string PagePath(bool tagLast)
{
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder && *folder ? folder : "/tmp") + "/velloran-bench-" + (tagLast ? "last" : "first") +
           ".html";
}

void WritePage(bool tagLast)
{
    FILE* file = std::fopen(PagePath(tagLast).c_str(), "wb");
    if (!file || std::fwrite(Page(tagLast).data(), 1, kPageSize, file) != kPageSize || std::fclose(file) != 0)
        std::abort();
}

std::vector<char> ReadAll(const std::string& path)
{
    std::vector<char> bytes(kPageSize + 4096);
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    size_t total = 0;
    for (ssize_t n; fd >= 0 && (n = read(fd, bytes.data() + total, bytes.size() - total)) > 0;)
        total += size_t(n);
    close(fd);
    bytes.resize(total);
    return bytes;
}

void Throughput(benchmark::State& state)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kPageSize));
}

void BM_Import(benchmark::State& state)
{
    const bool tagLast = state.range(0);
    WritePage(tagLast);
    for (auto _ : state) {
        Scheme scheme;
        if (ImportBodyTag(PagePath(tagLast).c_str(), scheme) != ImportResult::Imported)
            state.SkipWithError("no body tag");
    }
    Throughput(state);
}

void BM_ImportReference(benchmark::State& state)
{
    const bool tagLast = state.range(0);
    WritePage(tagLast);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadAll(PagePath(tagLast)).data());
    Throughput(state);
}

void BM_ImportText(benchmark::State& state)
{
    const CTextBuffer text(Page(true).data(), uint32_t(kPageSize));
    for (auto _ : state) {
        Scheme scheme;
        if (ImportBodyText(text, scheme) != ImportResult::Imported)
            state.SkipWithError("no body tag");
    }
    Throughput(state);
}

void BM_ImportTextReference(benchmark::State& state)
{
    const std::string& page = Page(true);
    for (auto _ : state) {
        size_t opens = 0;
        for (const char *p = page.data(), *end = p + page.size();
             (p = static_cast<const char*>(std::memchr(p, '<', size_t(end - p)))); ++p)
            ++opens;
        benchmark::DoNotOptimize(opens);
    }
    Throughput(state);
}

void BM_Export(benchmark::State& state)
{
    const bool tagLast = state.range(0);
    for (auto _ : state) {
        state.PauseTiming();
        WritePage(tagLast);
        state.ResumeTiming();
        if (ExportBodyTag(PagePath(tagLast).c_str(), "<body text=\"#000080\">", false) != ExportResult::Exported)
            state.SkipWithError("export failed");
    }
    Throughput(state);
}

void BM_ExportReference(benchmark::State& state)
{
    const bool tagLast = state.range(0);
    const std::string path = PagePath(tagLast), temp = path + ".tmp";
    for (auto _ : state) {
        state.PauseTiming();
        WritePage(tagLast);
        state.ResumeTiming();
        const std::vector<char> bytes = ReadAll(path);
        const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        bool ok = fd >= 0 && write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size()) && fsync(fd) == 0;
        ok = close(fd) == 0 && ok && rename(temp.c_str(), path.c_str()) == 0;
        if (!ok)
            state.SkipWithError("copy failed");
    }
    Throughput(state);
}

void Cleanup()
{
    std::remove(PagePath(false).c_str());
    std::remove(PagePath(true).c_str());
}

} // namespace

BENCHMARK(BM_Import)->ArgName("tag-last")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportReference)->ArgName("tag-last")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportTextReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export)->ArgName("tag-last")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportReference)->ArgName("tag-last")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Cleanup();
    return 0;
}
