#pragma once

#include <cstring>
#include <string>

namespace corvane::cli {

// The program's one form for a file it could not use, with the system's
// reason: "day.csv: cannot read: Permission denied".
inline std::string FileFault(const std::string& name, const char* what, int error) {
    return name + ": " + what + ": " + std::strerror(error);
}

// The copy of a forecast read from a pipe or a terminal.
inline std::string CopyOf(const std::string& name) { return "a temporary copy of " + name; }

}  // namespace corvane::cli
