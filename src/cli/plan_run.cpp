#include "cli/plan_run.h"

#include <optional>

#include "cli/input_file.h"
#include "cli/output_file.h"
#include "plan/forecast_csv.h"
#include "plan/plan_output.h"
#include "plan/streamed_plan.h"

namespace corvane::cli {

namespace {

// The program's words for a forecast it could not plan.
RunFault InputFault(const plan::PlanFault& fault, const InputFile& input) {
    if (input.CopyFailed()) return {kExitWriteFailed, fault.message};
    if (fault.kind == plan::PlanFault::Kind::NoTalkTime)
        return {kExitBadInput, fault.message + " (give the talk time with --talk)"};
    return {kExitBadInput, fault.message};
}

Result<std::int64_t, RunFault> Run(const PlanArguments& a, const ChartDrawer& draw) {
    const std::string name = a.input == "-" ? "standard input" : a.input;
    const plan::ForecastDefaults defaults{a.options.talk, a.options.acw};
    InputFile input(a.input, name);
    const auto writer = plan::MakePlanWriter(a.format, a.options, name);
    plan::StreamedPlan planned(a.options);
    plan::ChartSeries series;
    {
        plan::ForecastReader reader(input.FirstPass(), name, defaults);
        const auto read = planned.FirstPass(reader, [&](const plan::IntervalPlan& p) {
            writer->Measure(p);
            if (a.chartPath) series.Add(p);
        });
        if (!read) return Fail(InputFault(read.Error(), input));
    }

    OutputFile chartFile;
    if (a.chartPath) {
        const auto chart = draw(series);
        if (!chart) return Fail(RunFault{kExitWriteFailed, *a.chartPath + ": " + chart.Error()});
        chartFile.Open(*a.chartPath);
        chartFile.Write(chart.Value());
    }
    OutputFile planFile;
    if (a.outputPath)
        planFile.Open(*a.outputPath);
    else
        planFile.OpenStandardOutput();
    planFile.Write(writer->Head());
    // The rows are written from inside the plan's second pass: a failure is
    // kept here, not thrown through it, and the rows after it are skipped.
    std::optional<std::string> writeFailure;
    const auto write = [&](const plan::IntervalPlan& p) {
        if (writeFailure) return;
        try {
            planFile.Write(writer->Row(p));
        } catch (const WriteError& e) {
            writeFailure = e.what();
        }
    };
    if (planned.KeptWhole()) {
        planned.SecondPass(write);
    } else {
        plan::ForecastReader reader(input.SecondPass(), name, defaults);
        const auto read = planned.SecondPass(reader, write);
        if (!read) return Fail(InputFault(read.Error(), input));
    }
    if (writeFailure) return Fail(RunFault{kExitWriteFailed, *writeFailure});
    planFile.Write(writer->Tail(planned.Totals()));
    if (a.chartPath) chartFile.Commit();
    planFile.Commit();
    return planned.Totals().OutsideRange();
}

}  // namespace

Result<std::int64_t, RunFault> RunPlan(const PlanArguments& a, const ChartDrawer& draw) {
    // The files raise their failures; they end here, as the run's.
    try {
        return Run(a, draw);
    } catch (const InputError& e) {
        return Fail(RunFault{kExitBadInput, e.what()});
    } catch (const WriteError& e) {
        return Fail(RunFault{kExitWriteFailed, e.what()});
    }
}

}  // namespace corvane::cli
