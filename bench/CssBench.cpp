// The CSS form of a scheme, next to the tag of the same scheme built in the
// same run; and reading an inline style back. See docs/PERFORMANCE.md.
#include "SampleSchemes.h"
#include "model/BodyTag.h"
#include "model/CssStyle.h"

#include <benchmark/benchmark.h>

namespace {

// The worked example with every field set, the heaviest CSS form.
Scheme FullScheme()
{
    Scheme scheme = WorkedExample();
    scheme.vlink = 0x00800080;
    return scheme;
}

void BM_BuildBodyCss(benchmark::State& state)
{
    const Scheme scheme = FullScheme();
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildBodyCss(scheme, true));
}
BENCHMARK(BM_BuildBodyCss);

// Reference: the tag of the same scheme.
void BM_BuildBodyTag(benchmark::State& state)
{
    const Scheme scheme = FullScheme();
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildBodyTag(scheme, false, true));
}
BENCHMARK(BM_BuildBodyTag);

// The tag with its style attribute merged into an existing style.
void BM_BuildBodyTagWithStyle(benchmark::State& state)
{
    const Scheme scheme = FullScheme();
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildBodyTag(scheme, false, true, true, "font-family: serif; margin: 0 auto"));
}
BENCHMARK(BM_BuildBodyTagWithStyle);

void BM_ReadBodyStyle(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadBodyStyle("background: #f9fafb url('img/fond.gif') fixed no-repeat; "
                                               "color: rgb(17 24 39); margin: 0 auto; font-family: serif"));
}
BENCHMARK(BM_ReadBodyStyle);

} // namespace

BENCHMARK_MAIN();
