#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::plan {

// One interval of a forecast file, its numbers as read (whole, unchecked
// against the engine's ranges: the plan decides what it can compute).
struct ForecastRow {
    std::string label;  // the interval column, or the row number
    int line = 0;       // where it stands in the file (the header is line 1)
    std::int64_t calls = 0;
    std::int64_t talk = 0;
    std::int64_t acw = 0;
};

struct Forecast {
    std::string name;  // as messages name the file
    std::vector<ForecastRow> rows;
};

}  // namespace corvane::plan
