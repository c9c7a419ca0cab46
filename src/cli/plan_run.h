#pragma once

#include <cstdint>
#include <string>

#include "calc/result.h"
#include "cli/input_file.h"
#include "cli/output_file.h"
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

// A run's file failures (an input that cannot be opened, an output that
// cannot be written) as its refusal, with their exit statuses.
template <class Value, class Run>
Result<Value, RunFault> WithFileFaults(Run run);

// Reads the forecast once to check and plan it, draws the chart, then reads
// it again and writes the plan a row at a time. Every output is put in place
// only once all of them are written; bad input writes nothing. Gives the
// number of intervals outside the usable range.
Result<std::int64_t, RunFault> RunPlan(const PlanArguments& arguments);

template <class Value, class Run>
Result<Value, RunFault> WithFileFaults(Run run) {
    try {
        return run();
    } catch (const InputError& e) {
        return Fail(RunFault{kExitBadInput, e.what()});
    } catch (const WriteError& e) {
        return Fail(RunFault{kExitWriteFailed, e.what()});
    }
}

}  // namespace corvane::cli
