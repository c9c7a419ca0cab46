#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "calc/result.h"
#include "cli/plan_arguments.h"
#include "plan/chart_series.h"

namespace corvane::cli {

// Exit statuses of corvane-plan.
inline constexpr int kExitWriteFailed = 1;
inline constexpr int kExitBadInput = 2;
inline constexpr int kExitOutsideRange = 3;

// Why a run wrote nothing: the message for standard error and the status.
struct RunFault {
    int status = kExitBadInput;
    std::string message;
};

// Draws the chart of a plan: its bytes, or why it could not be drawn.
using ChartDrawer = std::function<Result<std::string, std::string>(const plan::ChartSeries&)>;

// Reads the forecast once to check and plan it, draws the chart, then reads
// it again and writes the plan a row at a time. Every output is put in place
// only once all of them are written; bad input writes nothing. Gives the
// number of intervals outside the usable range.
Result<std::int64_t, RunFault> RunPlan(const PlanArguments& arguments, const ChartDrawer& draw);

}  // namespace corvane::cli
