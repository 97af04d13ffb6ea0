// SPDX-License-Identifier: MIT
// Micro-benchmarks of the engine's per-cell work: splitting, dates, times, numbers.
#include "engine/Dates.h"
#include "engine/Horas.h"
#include "engine/Numbers.h"
#include "engine/TxtTOArray.h"

#include <array>
#include <benchmark/benchmark.h>

namespace {

using namespace kolvane;

void SplitTestDayLine(benchmark::State& state) {
    ImportSetup setup;
    setup.Separator = ";";
    const std::string line = "276000912345678;08-12-26;31.4;3.95;3;Berta;06:15;28.5;1;checked";
    std::array<std::string_view, 10> cells{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(SplitLineIntoRow(setup, line, cells));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * line.size()));
}
BENCHMARK(SplitTestDayLine);

void ParseDate(benchmark::State& state) {
    const DatePatternParser parser("dd-mm-aa");
    std::string out;
    for (auto _ : state) {
        out.clear();
        benchmark::DoNotOptimize(parser.parse("08-12-26", out));
    }
}
BENCHMARK(ParseDate);

void ConvertClockTime(benchmark::State& state) {
    std::string out;
    for (auto _ : state) {
        out.clear();
        AppendConvertedTime(out, "06:15");
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(ConvertClockTime);

void NumberRoundTrip(benchmark::State& state) {
    const NumberFormat format{','};
    std::string out;
    for (auto _ : state) {
        out.clear();
        AppendNumberText(out, ToNumber("31,4", format) * 10 / 10, format);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(NumberRoundTrip);

} // namespace

BENCHMARK_MAIN();
