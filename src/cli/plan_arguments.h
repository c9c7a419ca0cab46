#pragma once

#include <optional>
#include <string>

#include "plan/forecast_csv.h"
#include "plan/plan_options.h"
#include "plan/plan_output.h"

namespace corvane::cli {

using OutputFormat = plan::PlanFormat;
enum class ChartKind { Svg, Png };

// What the command line asked for, checked.
struct PlanArguments {
    std::string input;  // a path, or "-" for standard input
    plan::PlanOptions options;
    OutputFormat format = OutputFormat::Text;
    std::optional<std::string> outputPath;
    std::optional<std::string> chartPath;
    ChartKind chartKind = ChartKind::Svg;
};

// The texts the options were given as, before any check.
struct RawArguments {
    std::string input;
    std::string sl = "80/20";
    std::optional<std::string> asa;
    std::optional<std::string> maxOccupancy;
    std::string shrinkage = "0";
    std::string interval = "30";
    std::optional<std::string> talk;
    std::optional<std::string> acw;
    std::string format = "text";
    std::optional<std::string> output;
    std::optional<std::string> chart;
    std::optional<std::string> patience;
    std::optional<std::string> maxAbandon;
};

// Checks every option; raises plan::PlanInputError with a message that
// names the option and the value.
PlanArguments CheckArguments(const RawArguments& raw);

}  // namespace corvane::cli
