#include "cli/plan_run.h"

#include <iostream>
#include <optional>
#include <vector>

#include "cli/chart_program.h"
#include "cli/input_file.h"
#include "cli/memory_ahead.h"
#include "cli/output_file.h"
#include "cli/output_paths.h"
#include "cli/progress_line.h"
#include "cli/shift_planner.h"
#include "report/chart_series.h"
#include "input/forecast_csv.h"
#include "report/plan_output.h"
#include "plan/achieved.h"
#include "plan/streamed_plan.h"
#include "input/text_check.h"
#include "shifts/shift_file.h"
#include "shifts/shift_plan.h"

namespace corvane::cli {

namespace {

// The program's words for a forecast it could not plan.
RunFault InputFault(const input::PlanFault& fault, const InputFile& input, const std::string& name,
                    int interval) {
    if (input.CopyFailed()) return {kExitWriteFailed, fault.message};
    switch (fault.kind) {
        case input::PlanFault::Kind::NoTalkTime:
            return {kExitBadInput, fault.message + " (give the talk time with --talk)"};
        case input::PlanFault::Kind::DateOrderUnknown:
            return {kExitBadInput, fault.message + ": give --date-order dmy (day first) or mdy "
                                                   "(month first)"};
        case input::PlanFault::Kind::IntervalContradicted:
            return {kExitBadInput, name + ": " + fault.message + ", but --interval " +
                                       std::to_string(interval) + " was given"};
        case input::PlanFault::Kind::ShiftsFallShort:
            return {kExitBadInput, fault.message + " (give --allow-short to leave it short)"};
        case input::PlanFault::Kind::NoShiftPlan:
            return {kExitWriteFailed, fault.message + " (give --shift-time-limit more seconds)"};
        case input::PlanFault::Kind::BadInput:
        case input::PlanFault::Kind::Cancelled: break;
    }
    return {kExitBadInput, fault.message};
}

// The shift types, checked against the plan's interval length.
Result<shifts::ShiftFile, RunFault> ReadShifts(const std::string& path, int intervalMinutes) {
    const std::string name = path == "-" ? "standard input" : input::Escaped(path);
    InputFile input(path, name);
    auto read = shifts::ReadShiftFile(input.FirstPass(), name);
    if (!read) return Fail(RunFault{kExitBadInput, read.Error().message});
    if (const auto timed = shifts::CheckShiftTimes(read.Value(), intervalMinutes); !timed)
        return Fail(RunFault{kExitBadInput, timed.Error().message});
    return std::move(read.Value());
}

Result<std::int64_t, RunFault> Run(const PlanArguments& a) {
    // Shown in messages and headings: escaped, never raw.
    const std::string name = a.input == "-" ? "standard input" : input::Escaped(a.input);
    const input::ForecastDefaults defaults{a.options.talk, a.options.acw, a.dateOrder};
    InputFile input(a.input, name);
    const auto refused = [&](const input::PlanFault& fault) {
        return Fail(InputFault(fault, input, name, a.options.intervalMinutes));
    };
    plan::StreamedPlan planned(a.options, ProvideMemoryAhead);
    {
        input::ForecastReader reader(input.FirstPass(), name, defaults);
        if (const auto read = planned.Read(reader); !read) return refused(read.Error());
        // What the reading decided for the planner, before the plan.
        for (const std::string& notice : reader.Notices())
            std::cerr << "corvane-plan: note: " << notice << '\n';
    }
    // The interval length is settled now: the headings can say it, and the
    // shifts must fit it.
    const int intervalMinutes = planned.Options().intervalMinutes;
    std::optional<shifts::ShiftFile> shiftFile;
    if (a.shiftsPath) {
        auto read = ReadShifts(*a.shiftsPath, intervalMinutes);
        if (!read) return Fail(read.Error());
        shiftFile = std::move(read.Value());
    }
    const auto writer =
        report::MakePlanWriter(a.format, planned.Options(), name, shiftFile.has_value());
    std::vector<shifts::Demand> demand;
    {
        std::optional<input::ForecastReader> again;
        if (!planned.KeptWhole()) again.emplace(input.Again(), name, defaults);
        ProgressLine progress("planning", planned.Rows());
        const auto plannedAll =
            planned.Plan(again ? &*again : nullptr, [&](const plan::IntervalPlan& p) {
                progress.Step();
                if (shiftFile)
                    demand.push_back(shifts::DemandOf(p));
                else
                    writer->Measure(p);
            });
        if (!plannedAll) return refused(plannedAll.Error());
    }
    std::optional<shifts::ShiftOutcome> staffed;
    if (shiftFile) {
        const auto planner = LoadShiftPlanner();
        if (!planner) return Fail(RunFault{kExitWriteFailed, planner.Error()});
        ProgressLine solving("choosing shifts", 0);
        const shifts::SolveWatch watch = [&](const shifts::SolveProgress&) {
            solving.Say(", " + std::to_string(static_cast<long>(solving.Seconds())) + " s");
            return true;
        };
        auto solved = planner.Value()(demand, intervalMinutes, name, *shiftFile,
                                      {a.shiftTimeLimit, a.allowShort, watch, a.shiftGoal,
                                       a.intervalFloor, planned.Options()});
        if (!solved) return refused(solved.Error());
        staffed = std::move(solved.Value());
        demand = {};
    }
    // With shifts, each row is handed on with its agents on duty and what
    // they achieve, counted in the totals on the pass that writes.
    const auto withShifts = [&](const auto& each, bool counted) {
        return [&, counted, index = std::size_t{0}](const plan::IntervalPlan& p) mutable {
            if (!staffed) return each(p);
            plan::IntervalPlan row = p;
            row.onDuty = staffed->onDuty[index++];
            row.achieved = plan::AchievedMeasures(row, planned.Options());
            if (counted) staffed->summary.achieved.Add(row);
            each(row);
        };
    };
    if (staffed) {
        std::optional<input::ForecastReader> again;
        if (!planned.KeptWhole()) again.emplace(input.Again(), name, defaults);
        const auto measured = planned.Write(
            again ? &*again : nullptr,
            withShifts([&](const plan::IntervalPlan& p) { writer->Measure(p); }, false));
        if (!measured) return refused(measured.Error());
    }

    // Files are written aside and placed together once every output is
    // whole; what is written in place (a device, a FIFO, standard output)
    // is kept aside too when other outputs go with it, and written last.
    const bool several = a.chartPath || a.shiftPlanPath;
    const Delivery direct = several ? Delivery::Staged : Delivery::Streamed;
    OutputFile planFile;
    if (a.outputPath && *a.outputPath != "-")
        planFile.Open(*a.outputPath, direct);
    else
        planFile.OpenStandardOutput(direct);
    planFile.Write(writer->Head());
    report::ChartSeries series(intervalMinutes);
    // The rows are written from inside the plan's last pass: a failure is
    // kept here, not thrown through it, and the rows after it are skipped.
    std::optional<std::string> writeFailure;
    // Rows kept from the first pass are written in a blink; others are
    // planned again.
    std::optional<ProgressLine> progress;
    if (!planned.KeptWhole()) progress.emplace("writing", planned.Rows());
    const auto write = [&](const plan::IntervalPlan& p) {
        if (progress) progress->Step();
        if (a.chartPath) series.Add(p);
        if (writeFailure) return;
        try {
            planFile.Write(writer->Row(p));
        } catch (const WriteError& e) {
            writeFailure = e.what();
        }
    };
    {
        std::optional<input::ForecastReader> again;
        if (!planned.KeptWhole()) again.emplace(input.Again(), name, defaults);
        if (const auto written = planned.Write(again ? &*again : nullptr, withShifts(write, true));
            !written)
            return refused(written.Error());
    }
    progress.reset();
    if (writeFailure) return Fail(RunFault{kExitWriteFailed, *writeFailure});
    const plan::ShiftSummary* summary = staffed ? &staffed->summary : nullptr;
    planFile.Write(writer->Tail(planned.Totals(), summary));

    OutputFile chartFile;
    if (a.chartPath) {
        const auto chart = DrawChart(series.Data(planned.Options()), a.chartFormat);
        if (!chart)
            return Fail(
                RunFault{kExitWriteFailed, input::Escaped(*a.chartPath) + ": " + chart.Error()});
        chartFile.Open(*a.chartPath, direct);
        chartFile.Write(chart.Value());
    }
    OutputFile shiftPlanFile;
    if (a.shiftPlanPath) {
        shiftPlanFile.Open(*a.shiftPlanPath, direct);
        shiftPlanFile.Write(report::ShiftPlanCsv(*summary));
    }
    std::vector<OutputFile*> outputs{&planFile};
    if (a.chartPath) outputs.push_back(&chartFile);
    if (a.shiftPlanPath) outputs.push_back(&shiftPlanFile);
    // Every byte of every output first; then the files; then what cannot
    // be taken back.
    for (OutputFile* out : outputs) out->Prepare();
    for (OutputFile* out : outputs)
        if (!out->Direct()) out->Place();
    for (OutputFile* out : outputs)
        if (out->Direct()) out->Place();
    return planned.Totals().OutsideRange();
}

}  // namespace

Result<std::int64_t, RunFault> RunPlan(const PlanArguments& a) {
    if (const auto clash = CheckOutputPaths(a); !clash)
        return Fail(RunFault{kExitBadInput, clash.Error()});
    // The files raise their failures; they end here, as the run's.
    return WithFileFaults<std::int64_t>([&] { return Run(a); });
}

}  // namespace corvane::cli
