#pragma once

#include <string>

#include "calc/result.h"
#include "cli/plan_arguments.h"

namespace corvane::cli {

// Refuses, before anything is read, outputs that would destroy an input
// (the same file, after links, as the forecast or the shift types) and two
// outputs that would land on one file or both on standard output.
Result<void, std::string> CheckOutputPaths(const PlanArguments& arguments);

}  // namespace corvane::cli
