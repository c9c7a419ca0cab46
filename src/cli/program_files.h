#pragma once

#include <string>

namespace corvane::cli {

// A file of the program's own (the chart program, the shift planner):
// beside this program in a build tree, else in the program files directory
// it is installed with (lib/corvane beside bin, whatever the prefix).
std::string ProgramFile(const std::string& name);

}  // namespace corvane::cli
