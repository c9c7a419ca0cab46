#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "calc/calc_error.h"
#include "calc/number_marks.h"
#include "calc/result.h"

namespace corvane {

// A number pattern such as "#,##0.0": '0' a digit always written, '#' a
// digit written only when significant, ',' among the integer digits asks
// for thousands grouping, '.' marks the decimal sign and the digits after
// it give the number of decimals.
struct NumberPattern {
    int minIntegerDigits = 1;
    bool grouping = false;
    int decimals = 0;
};

NumberPattern ParsePattern(std::string_view pattern);

// Writes a finite value with a pattern. The value is rounded to the
// pattern's decimals, a half away from zero, judged on its decimal form of
// 15 significant digits (so 8.749999999999996 rounds as 8.75 does).
// A non-finite value fails with the overflow error (6).
Result<std::string, ErrorNumber> FormatNumber(double value, const NumberPattern& pattern,
                                              const NumberMarks& marks = {});
Result<std::string, ErrorNumber> FormatNumber(double value, std::string_view pattern,
                                              const NumberMarks& marks = {});
// As FormatNumber, onto the end of `out`, for a value known to be finite
// (every value the staffing engine hands out is).
void AppendFormattedNumber(std::string& out, double value, const NumberPattern& pattern,
                           const NumberMarks& marks);

// Places a text in a field of `width` characters: padded with spaces on
// the left, or cut to its leftmost `width` characters when longer.
std::string RightAlignInField(std::string_view text, std::size_t width);
void AppendRightAligned(std::string& out, std::string_view text, std::size_t width);

// A whole number written with its sign position: " 18", "-5".
std::string NumberAsText(long long value);

// The width of a field given by its template text, e.g. "0,000.0" is 7.
std::size_t FieldWidth(std::string_view templateText);

}  // namespace corvane
