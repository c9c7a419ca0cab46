#pragma once

#include <cstdint>
#include <string>

#include "calc/result.h"
#include "cli/plan_arguments.h"

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

// Reads the forecast once to check and plan it, draws the chart, then reads
// it again and writes the plan a row at a time. Every output is put in place
// only once all of them are written; bad input writes nothing. Gives the
// number of intervals outside the usable range.
Result<std::int64_t, RunFault> RunPlan(const PlanArguments& arguments);

}  // namespace corvane::cli
