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
#include <iterator>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/year_forecast.h"
#include "model/plan_outcome.h"
#include "plan/day_plan.h"
#include "input/forecast_csv.h"

extern char** environ;

namespace {

using namespace corvane::plan;
using corvane::bench::kYear;
using corvane::bench::YearCsv;

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

// What the plan window's worker does when an option changes: the year
// planned again, and the data its chart draws.
void WindowReplan(benchmark::State& state, bool erlangA) {
    corvane::model::PlanSettings settings;
    settings.options.shrinkage = {30, 0};
    if (erlangA) settings.options.patience = 180;
    for (auto _ : state) {
        const auto planned = corvane::model::MakePlan(Year(), settings);
        benchmark::DoNotOptimize(corvane::model::OutcomeChart(planned.Value()).points.size());
    }
}
BENCHMARK_CAPTURE(WindowReplan, erlang_c, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WindowReplan, erlang_a, true)->Unit(benchmark::kMillisecond);

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

// Erlang A at its costliest: patient callers of 1-second calls, whose
// queues would run to millions of states if summed one by one.
void PatientYear(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path();
    const auto input = dir / "corvane-bench-patient-year.csv";
    std::ofstream(input) << corvane::bench::PatientYearCsv();
    const std::string arguments = input.string() + " --patience 28000 --format csv -o " +
                                  (dir / "corvane-bench-patient-plan.csv").string();
    for (auto _ : state)
        if (!RunPlan(arguments)) state.SkipWithError("corvane-plan failed");
}
BENCHMARK(PatientYear)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

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

// After the million rows, whose peak memory counts every run before it.
// A week of quarter-hours from Monday 2027-03-01, open 07:00 to 21:00,
// rising to a morning and an afternoon peak (up to about 45 agents),
// quieter at the weekend.
std::string WeekCsv() {
    std::string csv = "datetime,calls,talk,acw\n";
    unsigned seed = 2027;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16 & 0x7fff; };
    for (int day = 0; day < 7; ++day)
        for (int m = 7 * 60; m < 21 * 60; m += 15) {
            const double h = m / 60.0;
            const double shape = 0.15 + std::exp(-std::pow((h - 10.5) / 2.4, 2)) +
                                 0.8 * std::exp(-std::pow((h - 15.5) / 2.6, 2));
            const double week[] = {1, 0.95, 0.9, 0.9, 0.85, 0.5, 0.35};
            const double calls = 110 * shape * week[day] * (0.93 + 0.14 * (next() % 1000) / 999.0);
            const auto two = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
            csv += "2027-03-" + two(day + 1) + " " + two(m / 60) + ":" + two(m % 60) + "," +
                   std::to_string(calls) + ",240,30\n";
        }
    return csv;
}

// Five shift types, with or without lunches; every quarter-hour of their
// windows a possible start.
const char* const kShifts[] = {
    "name,length,earliest,latest,days,cost\n"
    "Early,8:00,07:00,09:00,,1\n"
    "Day,8:00,09:00,11:00,Mon-Fri,1\n"
    "Late,8:00,11:00,12:30,,1\n"
    "Part,4:00,07:00,17:00,,1.1\n"
    "Short,5:30,07:00,15:00,,1.05\n",
    "name,length,earliest,latest,days,cost,lunch,lunch_after,lunch_before\n"
    "Early,8:30,07:00,09:00,,1,0:30,3:00,5:00\n"
    "Day,8:30,09:00,11:00,Mon-Fri,1,0:30,3:00,5:00\n"
    "Late,8:30,11:00,12:30,,1,0:30,3:00,5:00\n"
    "Part,4:00,07:00,17:00,,1.1,,,\n"
    "Short,6:00,07:00,15:00,,1.05,0:30,2:00,3:30\n"};

// The whole process planning the week's shifts; `gap_percent` is what the
// plan says of itself (0 when proven optimal).
void WeekShifts(benchmark::State& state, int lunches, const char* limit) {
    const auto dir = std::filesystem::temp_directory_path();
    const auto input = dir / "corvane-bench-week.csv";
    const auto shifts = dir / "corvane-bench-shifts.csv";
    const auto plan = dir / "corvane-bench-week-plan.json";
    std::ofstream(input) << WeekCsv();
    std::ofstream(shifts) << kShifts[lunches];
    const std::string arguments = input.string() + " --shrinkage 30 --format json -o " +
                                  plan.string() + " --shifts " + shifts.string() +
                                  " --shift-time-limit " + limit;
    for (auto _ : state)
        if (!RunPlan(arguments)) state.SkipWithError("corvane-plan failed");
    std::ifstream in(plan);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    const auto gap = text.find("\"gap\": ");
    state.counters["gap_percent"] = gap == std::string::npos ? -1 : std::stod(text.substr(gap + 7));
}
BENCHMARK_CAPTURE(WeekShifts, without_lunches, 0, "10")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(WeekShifts, with_lunches, 1, "5")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
BENCHMARK_MAIN();
