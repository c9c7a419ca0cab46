#pragma once

#include <string>
#include <string_view>

#include "calc/result.h"

namespace corvane::input {

// Figures past this are taken as the cap, which no interval can be planned
// with: the sums stay finite and the plan says the interval is outside the
// usable range.
inline constexpr double kFigureCap = 1e12;

// How a figure of a forecast is written: '.' as the decimal mark, ',' in a
// semicolon-separated file, or '\0' for either in a tab-separated one (a
// comma there is a decimal mark unless three digits follow it, which could
// as well be a thousands group and is refused).
struct FigureMarks {
    char decimal = '.';
};

// Reads a count or a number of seconds: digits with at most one decimal
// mark, blanks around allowed, no sign, no grouping. On failure, why, e.g.
// "is not a number".
Result<double, std::string> ParseFigure(std::string_view text, FigureMarks marks);

// Reads a duration in seconds: "H:MM:SS", "M:SS", or seconds as a figure;
// the last part may have a fraction.
Result<double, std::string> ParseDuration(std::string_view text, FigureMarks marks);

}  // namespace corvane::input
