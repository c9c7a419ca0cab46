// Timing of the day plan: a year of half-hours (17,520 intervals, traffic
// 1 to 500 Erlangs) planned in memory, and the whole corvane-plan process
// reading and writing it as CSV.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "plan/day_plan.h"
#include "plan/forecast_csv.h"

extern char** environ;

namespace {

using namespace corvane::plan;

constexpr int kYear = 365 * 48;

// "2027-03-01" for the day of 2027 counted from 0.
std::string Date2027(int day) {
    const int length[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int month = 0;
    while (day >= length[month]) day -= length[month++];
    const auto two = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    return "2027-" + two(month + 1) + "-" + two(day + 1);
}

// A repeatable year, dated: each day rises from 1 Erlang at night to a peak
// between 1 and 500 Erlangs; talk and acw vary a little.
std::string YearCsv() {
    std::string csv = "interval,calls,talk,acw\n";
    unsigned seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16 & 0x7fff; };
    for (int i = 0; i < kYear; ++i) {
        const int slot = i % 48;
        const double shape = slot < 14 || slot > 43 ? 0.0 : 1.0 - std::abs(slot - 28) / 15.0;
        const double peak = 1.0 + 499.0 * (next() % 1000) / 999.0;
        const double erlangs = 1.0 + (peak - 1.0) * shape;
        const int talk = 150 + static_cast<int>(next() % 90);
        const int acw = 20 + static_cast<int>(next() % 30);
        const long calls = std::lround(erlangs * 1800.0 / (talk + acw));
        csv += Date2027(i / 48) + " " + (slot < 20 ? "0" : "") + std::to_string(slot / 2) + ":" +
               (slot % 2 ? "30" : "00") + "," + std::to_string(calls) + "," + std::to_string(talk) +
               "," + std::to_string(acw) + "\n";
    }
    return csv;
}

const Forecast& Year() {
    static const Forecast forecast = ReadForecast(YearCsv(), "year.csv", {}).Value();
    return forecast;
}

void PlanYearErlangC(benchmark::State& state) {
    PlanOptions options;
    for (auto _ : state) benchmark::DoNotOptimize(PlanDay(Year(), options).Ok());
    state.counters["intervals"] = kYear;
}
BENCHMARK(PlanYearErlangC)->Unit(benchmark::kMillisecond);

void PlanYearErlangA(benchmark::State& state) {
    PlanOptions options;
    options.patience = 180;
    for (auto _ : state) benchmark::DoNotOptimize(PlanDay(Year(), options).Ok());
}
BENCHMARK(PlanYearErlangA)->Unit(benchmark::kMillisecond);

// Runs corvane-plan with these arguments, as a shell would but without
// one, so the time is the program's own; true when it succeeds.
bool RunPlan(const std::string& arguments) {
    std::vector<std::string> words{CORVANE_PLAN};
    std::istringstream in(arguments);
    for (std::string word; in >> word;) words.push_back(word);
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, CORVANE_PLAN, nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The program as a planner runs it: read the CSV, plan, write the CSV.
void WholeProcess(benchmark::State& state, const char* extra) {
    const auto dir = std::filesystem::temp_directory_path();
    const auto input = dir / "corvane-bench-year.csv";
    std::ofstream(input) << YearCsv();
    const std::string arguments = input.string() + " --format csv -o " +
                                  (dir / "corvane-bench-plan.csv").string() + " " + extra;
    for (auto _ : state)
        if (!RunPlan(arguments)) state.SkipWithError("corvane-plan failed");
}
BENCHMARK_CAPTURE(WholeProcess, erlang_c, "")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(WholeProcess, erlang_a, "--patience 180")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
// The year's heat map, drawn by the chart program.
BENCHMARK_CAPTURE(WholeProcess, chart_png, "--chart /tmp/corvane-bench-chart.png")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(WholeProcess, chart_svg, "--chart /tmp/corvane-bench-chart.svg")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Streaming: about a million rows (57 years), planned and written as a
// text table; peak_MB is the largest memory any corvane-plan run of this
// benchmark program took.
void MillionRows(benchmark::State& state, const char* format) {
    const auto dir = std::filesystem::temp_directory_path();
    const auto input = dir / "corvane-bench-million.csv";
    {
        const std::string year = YearCsv();
        const std::string rows = year.substr(year.find('\n') + 1);
        std::ofstream out(input);
        out << year.substr(0, year.find('\n') + 1);
        for (int i = 0; i < 57; ++i) out << rows;
    }
    const std::string arguments = input.string() + " --format " + format + " -o " +
                                  (dir / "corvane-bench-million.out").string();
    for (auto _ : state)
        if (!RunPlan(arguments)) state.SkipWithError("corvane-plan failed");
    struct rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["rows"] = 57.0 * kYear;
}
BENCHMARK_CAPTURE(MillionRows, text, "text")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK_CAPTURE(MillionRows, json, "json")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
BENCHMARK_MAIN();
