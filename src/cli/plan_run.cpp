#include "cli/plan_run.h"

#include <optional>

#include "cli/chart_program.h"
#include "cli/input_file.h"
#include "cli/output_file.h"
#include "plan/forecast_csv.h"
#include "plan/plan_output.h"
#include "plan/streamed_plan.h"

namespace corvane::cli {

namespace {

// The program's words for a forecast it could not plan.
RunFault InputFault(const plan::PlanFault& fault, const InputFile& input, const std::string& name,
                    int interval) {
    if (input.CopyFailed()) return {kExitWriteFailed, fault.message};
    switch (fault.kind) {
        case plan::PlanFault::Kind::NoTalkTime:
            return {kExitBadInput, fault.message + " (give the talk time with --talk)"};
        case plan::PlanFault::Kind::IntervalContradicted:
            return {kExitBadInput, name + ": " + fault.message + ", but --interval " +
                                       std::to_string(interval) + " was given"};
        case plan::PlanFault::Kind::BadInput: break;
    }
    return {kExitBadInput, fault.message};
}

Result<std::int64_t, RunFault> Run(const PlanArguments& a) {
    const std::string name = a.input == "-" ? "standard input" : a.input;
    const plan::ForecastDefaults defaults{a.options.talk, a.options.acw};
    InputFile input(a.input, name);
    const auto refused = [&](const plan::PlanFault& fault) {
        return Fail(InputFault(fault, input, name, a.options.intervalMinutes));
    };
    plan::StreamedPlan planned(a.options);
    {
        plan::ForecastReader reader(input.FirstPass(), name, defaults);
        if (const auto read = planned.Read(reader); !read) return refused(read.Error());
    }
    // The interval length is settled now: the headings can say it.
    const auto writer = plan::MakePlanWriter(a.format, planned.Options(), name);
    plan::ChartSeries series(planned.Options().intervalMinutes);
    {
        std::optional<plan::ForecastReader> again;
        if (!planned.KeptWhole()) again.emplace(input.Again(), name, defaults);
        const auto plannedAll =
            planned.Plan(again ? &*again : nullptr, [&](const plan::IntervalPlan& p) {
                writer->Measure(p);
                if (a.chartPath) series.Add(p);
            });
        if (!plannedAll) return refused(plannedAll.Error());
    }

    OutputFile chartFile;
    if (a.chartPath) {
        const auto chart = DrawChart(series.Data(planned.Options()), a.chartFormat);
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
    {
        std::optional<plan::ForecastReader> again;
        if (!planned.KeptWhole()) again.emplace(input.Again(), name, defaults);
        if (const auto written = planned.Write(again ? &*again : nullptr, write); !written)
            return refused(written.Error());
    }
    if (writeFailure) return Fail(RunFault{kExitWriteFailed, *writeFailure});
    planFile.Write(writer->Tail(planned.Totals()));
    if (a.chartPath) chartFile.Commit();
    planFile.Commit();
    return planned.Totals().OutsideRange();
}

}  // namespace

Result<std::int64_t, RunFault> RunPlan(const PlanArguments& a) {
    // The files raise their failures; they end here, as the run's.
    try {
        return Run(a);
    } catch (const InputError& e) {
        return Fail(RunFault{kExitBadInput, e.what()});
    } catch (const WriteError& e) {
        return Fail(RunFault{kExitWriteFailed, e.what()});
    }
}

}  // namespace corvane::cli
