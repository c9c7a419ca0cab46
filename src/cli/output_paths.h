#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/result.h"
#include "cli/plan_arguments.h"

namespace corvane::cli {

// A file a run reads or writes, as its messages name it: "the forecast",
// "-o". No path: standard input or output for an output, none for an input.
struct NamedPath {
    const char* what;
    std::optional<std::string> path;
};

// Refuses outputs that are one of the inputs (after links) or that land on
// one file together.
Result<void, std::string> CheckPaths(const std::vector<NamedPath>& inputs,
                                     const std::vector<NamedPath>& outputs);

// Refuses, before anything is read, outputs that would destroy an input
// (the same file, after links, as the forecast or the shift types) and two
// outputs that would land on one file or both on standard output.
Result<void, std::string> CheckOutputPaths(const PlanArguments& arguments);

}  // namespace corvane::cli
