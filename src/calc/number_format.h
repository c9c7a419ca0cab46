#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "calc/number_marks.h"

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
// A non-finite value raises the overflow error.
std::string FormatNumber(double value, const NumberPattern& pattern, const NumberMarks& marks = {});
std::string FormatNumber(double value, std::string_view pattern, const NumberMarks& marks = {});
void AppendFormattedNumber(std::string& out, double value, const NumberPattern& pattern,
                           const NumberMarks& marks);

// Places a text in a field of `width` characters: padded with spaces on
// the left, or cut to its leftmost `width` characters when longer.
std::string RightAlignInField(std::string_view text, std::size_t width);
void AppendRightAligned(std::string& out, std::string_view text, std::size_t width);

// The width of a field given by its template text, e.g. "0,000.0" is 7.
std::size_t FieldWidth(std::string_view templateText);

}  // namespace corvane
