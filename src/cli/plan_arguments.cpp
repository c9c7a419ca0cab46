#include "cli/plan_arguments.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <tuple>

#include "calc/plain_text.h"
#include "plan/option_text.h"
#include "input/forecast_csv.h"
#include "cli/option_checks.h"
#include "input/text_check.h"

namespace corvane::cli {

namespace {

using plan::PercentRange;

// Keeps a value read, or gives the reason it was refused.
template <class Into, class Value>
std::string Keep(Into& into, Result<Value, std::string> read) {
    if (!read) return read.Error();
    into = std::move(read.Value());
    return {};
}

// Into a Decimal or an optional one.
template <class Into>
Check Percent(Into& into, PercentRange range) {
    return [&into, range](const std::string& text) {
        return Keep(into, plan::ReadPercent(text, range));
    };
}

template <class Into>
Check Seconds(Into& into, int min) {
    return [&into, min](const std::string& text) {
        return Keep(into, plan::ReadSeconds(text, min));
    };
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && text::Lower(s.substr(s.size() - tail.size())) == tail;
}

}  // namespace

void DeclareOptions(CLI::App& app, PlanArguments& a) {
    plan::PlanOptions& o = a.options;
    app.add_option("FILE", a.input, "forecast CSV file, or - for standard input")->required();
    AddChecked(app, "--sl", "P/S", "target: P % of calls answered within S seconds (default 80/20)",
        [&o](const std::string& text) -> std::string {
            const auto target = plan::ReadServiceTarget(text);
            if (!target) return target.Error();
            std::tie(o.slPercent, o.answerSeconds) = target.Value();
            return {};
        });
    AddChecked(app, "--asa", "S", "also require an average speed of answer of at most S seconds",
        [&o](const std::string& text) { return Keep(o.asaLimit, plan::ReadAsaLimit(text)); });
    AddChecked(app, "--max-occupancy", "P", "also require an occupancy of at most P %",
        Percent(o.maxOccupancy, PercentRange::AboveZeroUpToHundred));
    AddChecked(app, "--shrinkage", "P",
        "share of paid time away from the phones, 0 <= P < 100 (default 0)",
        Percent(o.shrinkage, PercentRange::ZeroUpToBelowHundred));
    AddChecked(app, "--interval", "M",
        "interval length in minutes: 15, 30 or 60 (default: the labels' step, else 30)",
        [&o](const std::string& text) {
            o.intervalGiven = true;
            return Keep(o.intervalMinutes, plan::ReadIntervalMinutes(text));
        });
    AddChecked(app, "--talk", "S", "talk time in seconds for files without a talk column",
        Seconds(o.talk, 1));
    AddChecked(app, "--acw", "S", "after-call work in seconds for files without an acw column (default 0)",
        Seconds(o.acw, 0));
    AddChecked(app, "--date-order", "O",
        "dmy or mdy: how to read dates such as 03/01/2027 where nothing in the file tells",
        DateOrderCheck(a.dateOrder));
    AddChecked(app, "--patience", "S", "callers' mean patience in seconds, 1 to 32767: plan with Erlang A",
        Seconds(o.patience, 1));
    AddChecked(app, "--max-abandon", "P",
        "also require that at most P % of offered calls hang up (with --patience)",
        Percent(o.maxAbandon, PercentRange::AboveZeroBelowHundred));
    AddChecked(app, "--format", "F", "text (default), csv or json",
        [&a](const std::string& text) -> std::string {
            if (text == "text")
                a.format = OutputFormat::Text;
            else if (text == "csv")
                a.format = OutputFormat::Csv;
            else if (text == "json")
                a.format = OutputFormat::Json;
            else
                return Refusal(text, "must be text, csv or json");
            return {};
        });
    AddChecked(app, "-o", "FILE",
        "write the plan to FILE, or - for standard output (a file is replaced only when every "
        "output is written whole)",
        [&a](const std::string& text) {
            a.outputPath = text;
            return std::string();
        });
    AddChecked(app, "--chart", "FILE", "draw the plan, .svg or .png by the file's extension",
        [&a](const std::string& text) -> std::string {
            if (!EndsWith(text, ".svg") && !EndsWith(text, ".png"))
                return Refusal(text, "must end in .svg or .png");
            a.chartFormat =
                EndsWith(text, ".svg") ? input::ChartFormat::Svg : input::ChartFormat::Png;
            a.chartPath = text;
            return {};
        });
    AddChecked(app, "--shifts", "FILE",
        "plan shifts from FILE (CSV: name, length, earliest, latest[, days, max, cost, lunch, "
        "lunch_after, lunch_before]) at the least cost",
        [&a](const std::string& text) {
            a.shiftsPath = text;
            return std::string();
        });
    AddChecked(app, "--shift-plan", "FILE",
        "write the shift plan to FILE (CSV: date, shift, start, lunch, agents; with --shifts)",
        [&a](const std::string& text) {
            a.shiftPlanPath = text;
            return std::string();
        });
    AddChecked(app, "--shift-time-limit", "S",
        "seconds of the clock the shift planning may take (default 10); stopped, it gives its "
        "best plan and its gap",
        [&a](const std::string& text) {
            return Keep(a.shiftTimeLimit, plan::ReadTimeLimit(text));
        });
    AddChecked(app, "--shift-goal", "interval|day|week",
        "what the shifts must reach: the scheduled agents in every interval (the default), or "
        "the service level over each day or calendar week (with --shifts)",
        [&a](const std::string& text) {
            for (const auto goal :
                 {shifts::ShiftGoal::Interval, shifts::ShiftGoal::Day, shifts::ShiftGoal::Week})
                if (text == shifts::ShiftGoalText(goal)) {
                    a.shiftGoal = goal;
                    return std::string();
                }
            return Refusal(text, "is not interval, day or week");
        });
    AddChecked(app, "--interval-floor", "P",
        "with --shift-goal day or week: the least service level (%) every interval with calls "
        "keeps",
        Percent(a.intervalFloor, PercentRange::AboveZeroBelowHundred));
    app.add_flag("--allow-short", a.allowShort,
                 "leave intervals that no shift can cover short instead of refusing the "
                 "forecast (with --shifts)");
}

Result<void, std::string> CheckCombinations(const CLI::App& app, const PlanArguments& a) {
    if (a.shiftsPath == "-" && a.input == "-")
        return Fail(std::string(
            "--shifts: '-' is standard input, which already gives the forecast"));
    for (const char* option :
         {"--shift-plan", "--shift-time-limit", "--allow-short", "--shift-goal", "--interval-floor"})
        if (app.count(option) > 0 && app.count("--shifts") == 0)
            return Fail(std::string(option) + ": needs --shifts (the shift types to plan with)");
    const bool overTime = a.shiftGoal != shifts::ShiftGoal::Interval;
    if (a.intervalFloor && !overTime)
        return Fail(std::string("--interval-floor: needs --shift-goal day or week (with the "
                                "default goal every interval reaches the target)"));
    if (a.intervalFloor && a.intervalFloor->ToDouble() > a.options.slPercent.ToDouble())
        return Fail("--interval-floor: " + plan::DecimalText(*a.intervalFloor) +
                    " % is above the service level target (" +
                    plan::DecimalText(a.options.slPercent) + " %)");
    if (overTime && a.allowShort)
        return Fail(std::string("--allow-short: not with --shift-goal day or week, whose plans "
                                "reach their goal or are refused"));
    if (app.count("--max-abandon") > 0 && app.count("--patience") == 0)
        return Fail(
            std::string("--max-abandon: needs --patience (callers only hang up in the model with "
                        "abandonment)"));
    return {};
}

}  // namespace corvane::cli
