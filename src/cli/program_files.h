#pragma once

#include <string>

namespace corvane::cli {

// A file of the program's own (the chart program, the shift planner):
// beside this program first, so a build runs its own, else `installed`.
std::string ProgramFile(const std::string& name, const std::string& installed);

}  // namespace corvane::cli
