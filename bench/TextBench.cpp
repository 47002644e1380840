// Text buffer throughput on 64 MiB of HTML-like text, each figure next to a
// reference measured in the same run; the ratios are printed at the end.
// "--dump-text=PATH" writes the text to PATH and exits (for grep_reference.sh).
#include "PageText.h"
#include "text/TextBuffer.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace {

constexpr size_t kTextSize = size_t(64) << 20;

const std::string& HtmlText()
{
    static const std::string text = [] {
        std::string s;
        s.reserve(kTextSize);
        GeneratePageText(kTextSize, [&](std::string_view piece) { s += piece; });
        return s;
    }();
    return text;
}

const CTextBuffer& HtmlBuffer()
{
    static const CTextBuffer buffer(HtmlText().data(), static_cast<uint32_t>(HtmlText().size()));
    return buffer;
}

void Throughput(benchmark::State& state)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kTextSize));
}

void BM_QuickSearch(benchmark::State& state)
{
    const std::string& text = HtmlText();
    for (auto _ : state)
        benchmark::DoNotOptimize(QuickSearch(text.data(), "<body", static_cast<int32_t>(text.size() + 1), 5));
    Throughput(state);
}

void BM_Find(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(HtmlBuffer().Find("<body"));
    Throughput(state);
}

void BM_FindIgnoreCase(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(HtmlBuffer().Find("<BODY", 0, true));
    Throughput(state);
}

void BM_Memmem(benchmark::State& state)
{
    const std::string& text = HtmlText();
    for (auto _ : state)
        benchmark::DoNotOptimize(memmem(text.data(), text.size(), "<body", 5));
    Throughput(state);
}

void BM_StringViewFind(benchmark::State& state)
{
    const std::string_view text = HtmlText();
    for (auto _ : state)
        benchmark::DoNotOptimize(text.find("<body"));
    Throughput(state);
}

void BM_Strcasestr(benchmark::State& state)
{
    const std::string& text = HtmlText();
    for (auto _ : state)
        benchmark::DoNotOptimize(strcasestr(text.c_str(), "<BODY"));
    Throughput(state);
}

void BM_Replace(benchmark::State& state, char mode)
{
    CTextBuffer b;
    for (auto _ : state) {
        state.PauseTiming();
        b.Assign(HtmlBuffer());
        state.ResumeTiming();
        benchmark::DoNotOptimize(b.Replace("<p>", "<P>", mode));
    }
    Throughput(state);
}

// Replace-all on std::string: find from left to right, build the result once.
void BM_ReplaceReference(benchmark::State& state)
{
    std::string text;
    for (auto _ : state) {
        state.PauseTiming();
        text = HtmlText();
        state.ResumeTiming();
        std::string result;
        size_t from = 0;
        for (size_t q = text.find("<p>"); q != std::string::npos; q = text.find("<p>", from)) {
            result.append(text, from, q - from).append("<P>");
            from = q + 3;
        }
        result.append(text, from);
        text.swap(result);
        benchmark::DoNotOptimize(text.data());
    }
    Throughput(state);
}

void BM_IndexLines(benchmark::State& state)
{
    CTextBuffer b;
    for (auto _ : state) {
        state.PauseTiming();
        b.Assign(HtmlBuffer());
        state.ResumeTiming();
        benchmark::DoNotOptimize(b.IndexLines());
    }
    Throughput(state);
}

void BM_IndexLinesReference(benchmark::State& state)
{
    const std::string_view text = HtmlText();
    for (auto _ : state) {
        std::vector<uint32_t> starts{0};
        for (size_t q = text.find("\r\n"); q != std::string_view::npos; q = text.find("\r\n", q + 2))
            starts.push_back(static_cast<uint32_t>(q + 2));
        starts.push_back(static_cast<uint32_t>(text.size()));
        benchmark::DoNotOptimize(starts.data());
    }
    Throughput(state);
}

BENCHMARK(BM_QuickSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Find)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindIgnoreCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memmem)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringViewFind)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Strcasestr)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Replace, exact, 'S')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Replace, ignore_case, 'I')->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndexLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndexLinesReference)->Unit(benchmark::kMillisecond);

// The console report followed by ours / reference throughput for each pair
// that ran, from CPU time (the machine is shared; medians when repetitions
// were asked for).
class CRatioReporter : public benchmark::ConsoleReporter
{
public:
    CRatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median || (run.run_type == Run::RT_Iteration && run.repetitions <= 1))
                m_mapTimes[run.run_name.str()] = run.GetAdjustedCPUTime();
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        static const char* const pairs[][2] = {
            {"BM_QuickSearch", "BM_Memmem"},
            {"BM_Find", "BM_Memmem"},
            {"BM_Find", "BM_StringViewFind"},
            {"BM_FindIgnoreCase", "BM_Memmem"},
            {"BM_FindIgnoreCase", "BM_Strcasestr"},
            {"BM_Replace/exact", "BM_ReplaceReference"},
            {"BM_Replace/ignore_case", "BM_ReplaceReference"},
            {"BM_IndexLines", "BM_IndexLinesReference"},
        };
        std::printf("\nThroughput ratios (ours / reference, this run):\n");
        for (const auto& pair : pairs) {
            const auto ours = m_mapTimes.find(pair[0]);
            const auto reference = m_mapTimes.find(pair[1]);
            if (ours != m_mapTimes.end() && reference != m_mapTimes.end())
                std::printf("  %-24s / %-24s %6.2f\n", pair[0], pair[1], reference->second / ours->second);
        }
    }

private:
    std::map<std::string, double> m_mapTimes;
};

bool DumpText(const char* path)
{
    FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(HtmlText().data(), 1, HtmlText().size(), file) == HtmlText().size();
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char** argv)
{
    static const char dumpOption[] = "--dump-text=";
    if (argc == 2 && std::strncmp(argv[1], dumpOption, sizeof dumpOption - 1) == 0)
        return DumpText(argv[1] + sizeof dumpOption - 1) ? 0 : 1;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
