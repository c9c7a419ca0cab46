#pragma once

#include <cstdint>
#include <string_view>

#include "calc/calc_error.h"
#include "calc/number_marks.h"
#include "calc/result.h"

namespace corvane {

// Reads a number as a planner types it: blanks around it are ignored, an
// optional sign, digits with the regional grouping mark among the whole
// digits, and an optional fraction after the regional decimal sign.
// Text that is not such a number (empty and blank text included) fails
// with the type-mismatch error (13); a number beyond the double range with
// the overflow error (6).
Result<double, ErrorNumber> TextToDouble(std::string_view text, const NumberMarks& marks = {});

// As TextToDouble, then rounded to the nearest whole number with a half
// going to the even neighbour (2.5 gives 2, 3.5 gives 4). Outside the
// 16-bit range: the overflow error (6).
Result<std::int16_t, ErrorNumber> TextToInt16(std::string_view text, const NumberMarks& marks = {});

// True when the text holds nothing but blanks.
bool IsBlank(std::string_view text);

}  // namespace corvane
