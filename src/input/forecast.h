#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane::input {

// One interval of a forecast file, its figures as written (fractional
// allowed, unchecked against any range: the plan decides what it can
// compute).
struct ForecastRow {
    std::string
        label;     // "2027-03-01 07:00" from dates and times, else as written, else the row number
    int line = 0;  // where it stands in the file (the header is line 1)
    double calls = 0;
    double talk = 0;  // seconds
    double acw = 0;   // seconds
    std::optional<std::int32_t> day =
        std::nullopt;  // when the labels carry dates (days from 1970-01-01)
    std::optional<int> minute =
        std::nullopt;  // when they carry times of day (minutes after midnight)
};

struct Forecast {
    std::string name;  // as messages name the file
    std::vector<ForecastRow> rows;
};

}  // namespace corvane::input
