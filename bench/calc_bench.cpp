// Timing of the numeric core: the full staffing table at the top of the
// usable range and the trunk search, beside the literal cubic procedure.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "calc/staffing_engine.h"
#include "calc/staffing_tables.h"
#include "calc/trunk_search.h"
#include "support/literal_trunks.h"

namespace {

using namespace corvane;

void StaffingTableAt707Erlangs(benchmark::State& state) {
    const StaffingInputs in{1800, 0, 707, 20};
    const StaffingEcho echo{"1800", "0", "707", "20"};
    for (auto _ : state) {
        std::vector<std::string> agents = StaffingHeadLines(echo);
        std::vector<std::string> delays = DelayHeadLines(echo);
        const auto computed = ComputeStaffingRows(in, [&](const StaffingRow& row) {
            agents.push_back(FormatStaffingLine(row));
            delays.push_back(FormatDelayLine(row));
        });
        benchmark::DoNotOptimize(computed.Ok());
        benchmark::DoNotOptimize(agents.data());
        benchmark::DoNotOptimize(delays.data());
    }
}
BENCHMARK(StaffingTableAt707Erlangs)->Unit(benchmark::kMicrosecond);

void TrunkSearch(benchmark::State& state, double A, double P) {
    const CancelToken never;
    for (auto _ : state)
        benchmark::DoNotOptimize(TrunksRequired(
                                     A, P, [] { benchmark::ClobberMemory(); }, never)
                                     .Value());
}
BENCHMARK_CAPTURE(TrunkSearch, 699_9_Erlangs_1pct, 699.9, 1.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TrunkSearch, 100_Erlangs_1pct, 100.0, 1.0)->Unit(benchmark::kMicrosecond);

void LiteralTrunkSearch100Erlangs(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(corvane::testing::LiteralTrunksRequired(100.0, 1.0).trunks);
}
BENCHMARK(LiteralTrunkSearch100Erlangs)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
