#pragma once

#include <array>
#include <vector>

#include "forecasting/day_book.h"

namespace corvane::forecasting {

// Talk and after-call work expected of each interval of each weekday's
// grid: call-weighted means over the weekday's last 26 dates; an interval
// without calls there takes its weekday's mean, a weekday without any the
// history's.
struct HandleTimeTable {
    std::array<std::vector<double>, 7> talk;
    std::array<std::vector<double>, 7> acw;
};

HandleTimeTable ExpectedHandleTimes(const DayBook& book);

}  // namespace corvane::forecasting
