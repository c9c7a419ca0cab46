#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "plan/forecast.h"

namespace corvane::plan {

// Bad input: the message names the file, the line and the column, e.g.
// "day.csv:14: calls: 'abc' is not a whole number".
class PlanInputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Values for files without a talk or an acw column.
struct ForecastDefaults {
    std::optional<long> talk;
    long acw = 0;
};

// Reads a forecast CSV: a header row, then one row per interval. Columns
// are found by name (interval, calls, talk, acw), case-insensitively, in
// any order; others are ignored. Comma-separated, or semicolon-separated
// when the header has semicolons and no comma; RFC 4180 quoting; UTF-8
// with an optional byte-order mark; CR LF or LF; blank lines skipped.
// Raises PlanInputError naming `name`.
Forecast ReadForecast(std::string_view content, const std::string& name,
                      const ForecastDefaults& defaults);

}  // namespace corvane::plan
