#pragma once

#include <optional>
#include <string>

#include "calc/result.h"
#include "input/chart_data.h"
#include "input/label_time.h"
#include "plan/plan_options.h"
#include "shifts/shift_goal.h"
#include "report/plan_output.h"

namespace CLI {
class App;
}

namespace corvane::cli {

using OutputFormat = report::PlanFormat;

// What the command line asked for, checked.
struct PlanArguments {
    std::string input;  // a path, or "-" for standard input
    plan::PlanOptions options;
    input::DateOrder dateOrder = input::DateOrder::Unknown;  // where the file cannot tell
    OutputFormat format = OutputFormat::Text;
    std::optional<std::string> outputPath;
    std::optional<std::string> chartPath;
    input::ChartFormat chartFormat = input::ChartFormat::Svg;
    std::optional<std::string> shiftsPath;     // plan shifts from this file
    std::optional<std::string> shiftPlanPath;  // and write them here
    double shiftTimeLimit = 10;                // seconds
    bool allowShort = false;
    shifts::ShiftGoal shiftGoal = shifts::ShiftGoal::Interval;
    std::optional<plan::Decimal> intervalFloor;  // per cent, with a goal over days or weeks
};

// Declares every option on `app`, each with the check that reads its text
// into `a` where it is declared: CLI11 reports a refusal as
// "--option: 'value' why" (a CLI::ValidationError). `a` must outlive the
// parse.
void DeclareOptions(CLI::App& app, PlanArguments& a);

// After the parse, what one option asks of another.
Result<void, std::string> CheckCombinations(const CLI::App& app, const PlanArguments& a);

}  // namespace corvane::cli
