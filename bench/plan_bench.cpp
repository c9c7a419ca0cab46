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
using namespace corvane::input;
using corvane::bench::kYear;
using corvane::bench::YearCsv;
using corvane::bench::YearHistoryCsv;

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
// `peakKb`: where to put the most memory the run held.
bool RunProgram(const char* program, const std::string& arguments, long* peakKb = nullptr) {
    std::vector<std::string> words{program};
    std::istringstream in(arguments);
    for (std::string word; in >> word;) words.push_back(word);
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, program, nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    rusage usage{};
    const bool ended = wait4(child, &status, 0, &usage) == child;
    if (peakKb) *peakKb = usage.ru_maxrss;
    return ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool RunPlan(const std::string& arguments, long* peakKb = nullptr) {
    return RunProgram(CORVANE_PLAN, arguments, peakKb);
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

// corvane-forecast as a planner runs it: a year of quarter-hours of history
// read, four weeks forecast with an 80 % range (four trial forecasts more)
// and written.
void ForecastYear(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path();
    const auto input = dir / "corvane-bench-history.csv";
    std::ofstream(input) << YearHistoryCsv();
    const std::string arguments = input.string() + " --weeks 4 --range 80 -o " +
                                  (dir / "corvane-bench-forecast.csv").string();
    for (auto _ : state)
        if (!RunProgram(CORVANE_FORECAST, arguments)) state.SkipWithError("corvane-forecast failed");
}
BENCHMARK(ForecastYear)->Unit(benchmark::kMillisecond)->UseRealTime();

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

// Streaming: about a million rows (57 years, 2027 to 2083), planned and written as a
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
        // Year after year from 2027 (the leap years without 29 February),
        // since the same interval twice is refused.
        for (int i = 0; i < 57; ++i) {
            std::string copy = rows;
            const std::string year = std::to_string(2027 + i);
            for (std::size_t at = 0; at < copy.size();) {
                copy.replace(at, 4, year);
                const std::size_t end = copy.find('\n', at);
                if (end == std::string::npos) break;
                at = end + 1;
            }
            out << copy;
        }
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

// A week open round the clock, quarter-hours from Monday 2027-03-01 (672
// intervals), a morning and an afternoon peak and a quieter evening, and
// shifts that may start at every quarter-hour of the day: 8:30 and 6:00
// with a lunch of 30 minutes, 4:00 without.
std::string RoundTheClockCsv() {
    std::string csv = "datetime,calls,talk,acw\n";
    unsigned seed = 31;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16 & 0x7fff; };
    const auto two = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    for (int day = 0; day < 7; ++day)
        for (int m = 0; m < 24 * 60; m += 15) {
            const double h = m / 60.0;
            const double shape = 0.12 + std::exp(-std::pow((h - 10.5) / 2.6, 2)) +
                                 0.8 * std::exp(-std::pow((h - 15.5) / 2.8, 2)) +
                                 0.25 * std::exp(-std::pow((h - 21) / 2, 2));
            const double week[] = {1, 0.95, 0.9, 0.9, 0.85, 0.5, 0.35};
            const double calls = 110 * shape * week[day] * (0.93 + 0.14 * (next() % 1000) / 999.0);
            csv += "2027-03-" + two(day + 1) + " " + two(m / 60) + ":" + two(m % 60) + "," +
                   std::to_string(calls) + ",240,30\n";
        }
    return csv;
}
const char* const kRoundTheClockShifts =
    "name,length,earliest,latest,days,cost,lunch,lunch_after,lunch_before\n"
    "Full,8:30,00:00,23:45,,1,0:30,3:00,5:00\n"
    "Six,6:00,00:00,23:45,,1.05,0:30,2:00,3:30\n"
    "Part,4:00,00:00,23:45,,1.1,,,\n";

// The gap a plan in JSON says of itself, and its status.
void Report(benchmark::State& state, const std::filesystem::path& plan) {
    std::ifstream in(plan);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    const auto gap = text.find("\"gap\": ");
    state.counters["gap_percent"] = gap == std::string::npos ? -1 : std::stod(text.substr(gap + 7));
    state.counters["optimal"] = text.find("\"shift_plan\": \"optimal\"") != std::string::npos;
}

// The hard week at a given limit: how close its plan comes in that time.
void RoundTheClockWeek(benchmark::State& state, const char* limit) {
    const auto dir = std::filesystem::temp_directory_path();
    const auto input = dir / "corvane-bench-round-week.csv";
    const auto shifts = dir / "corvane-bench-round-shifts.csv";
    const auto plan = dir / "corvane-bench-round-plan.json";
    std::ofstream(input) << RoundTheClockCsv();
    std::ofstream(shifts) << kRoundTheClockShifts;
    const std::string arguments = input.string() + " --shrinkage 30 --format json -o " +
                                  plan.string() + " --shifts " + shifts.string() +
                                  " --shift-time-limit " + limit;
    for (auto _ : state)
        if (!RunPlan(arguments)) state.SkipWithError("corvane-plan failed");
    Report(state, plan);
}
BENCHMARK_CAPTURE(RoundTheClockWeek, limit_2s, "2")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(RoundTheClockWeek, limit_5s, "5")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(RoundTheClockWeek, limit_10s, "10")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The README's year (examples/make-year.py) with examples/year-shifts.csv.
void YearOfShifts(benchmark::State& state, const char* limit) {
    const auto dir = std::filesystem::temp_directory_path();
    const auto input = dir / "corvane-bench-shift-year.csv";
    const auto plan = dir / "corvane-bench-shift-year-plan.json";
    const std::string make = "python3 " CORVANE_EXAMPLES "/make-year.py > " + input.string();
    if (std::system(make.c_str()) != 0) {
        state.SkipWithError("python3 examples/make-year.py failed");
        return;
    }
    const std::string arguments = input.string() + " --shrinkage 30 --format json -o " +
                                  plan.string() + " --shifts " CORVANE_EXAMPLES
                                  "/year-shifts.csv --shift-time-limit " + limit;
    for (auto _ : state)
        if (!RunPlan(arguments)) state.SkipWithError("corvane-plan failed");
    Report(state, plan);
}
BENCHMARK_CAPTURE(YearOfShifts, limit_10s, "10")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(YearOfShifts, limit_60s, "60")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// Near the largest program accepted (12 million entries): a day of minutes
// and 13 shift types of 10 hours that may start at any minute. Its peak
// memory, measured by the system.
void LargestShifts(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path();
    const auto input = dir / "corvane-bench-minutes.csv";
    const auto shifts = dir / "corvane-bench-minute-shifts.csv";
    const auto plan = dir / "corvane-bench-minutes-plan.json";
    std::string csv = "datetime,calls,talk,acw\n";
    const auto two = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    for (int m = 0; m < 24 * 60; ++m)
        csv += "2027-03-01 " + two(m / 60) + ":" + two(m % 60) + "," +
               std::to_string(2 + 8 * std::exp(-std::pow((m / 60.0 - 11) / 3, 2))) + ",240,30\n";
    std::ofstream(input) << csv;
    std::string types = "name,length,earliest,latest,cost\n";
    for (int t = 0; t < 13; ++t)
        types += "M" + std::to_string(t) + ",10:00,00:00,23:59," + std::to_string(1 + t / 100.0) + "\n";
    std::ofstream(shifts) << types;
    const std::string arguments = input.string() + " --format json -o " + plan.string() +
                                  " --shifts " + shifts.string() + " --shift-time-limit 20";
    long peak = 0;
    for (auto _ : state)
        if (!RunPlan(arguments, &peak)) state.SkipWithError("corvane-plan failed");
    state.counters["peak_MB"] = static_cast<double>(peak) / 1024.0;
    Report(state, plan);
}
BENCHMARK(LargestShifts)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The sample week (examples/week-export.csv, examples/shifts.csv, 80/20,
// shrinkage 30) with the goal of every interval and of each day.
void GoalWeek(benchmark::State& state, const char* goal) {
    const auto plan = std::filesystem::temp_directory_path() / "corvane-bench-goal-plan.json";
    const std::string arguments = CORVANE_EXAMPLES "/week-export.csv --shrinkage 30 --format json -o " +
                                  plan.string() + " --shifts " CORVANE_EXAMPLES "/shifts.csv " + goal;
    for (auto _ : state)
        if (!RunPlan(arguments)) state.SkipWithError("corvane-plan failed");
    Report(state, plan);
    std::ifstream in(plan);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    const auto paid = text.find("\"paid_agent_hours\": ");
    state.counters["paid_hours"] = paid == std::string::npos ? -1 : std::stod(text.substr(paid + 20));
}
BENCHMARK_CAPTURE(GoalWeek, interval, "--shift-goal interval")
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(GoalWeek, day_floor_60, "--shift-goal day --interval-floor 60")
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
BENCHMARK_MAIN();
