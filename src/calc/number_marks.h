#pragma once

#include <string>

namespace corvane {

// The regional grouping mark and decimal sign (UTF-8). The window reads
// them from the user's locale; English is the default and the reference.
struct NumberMarks {
    std::string group = ",";
    std::string decimal = ".";
};

}  // namespace corvane
