#pragma once

#include <optional>
#include <string>

#include "plan/decimal.h"

namespace corvane::plan {

inline constexpr int kMaxSeconds = 32767;  // the window engine's 16-bit seconds

// The targets and settings of one plan, already checked.
struct PlanOptions {
    Decimal slPercent{80, 0};             // P % of calls ...
    int answerSeconds = 20;               // ... answered within S seconds
    std::optional<Decimal> asaLimit;      // seconds
    std::optional<Decimal> maxOccupancy;  // percent
    Decimal shrinkage{0, 0};              // percent of paid time off the phones, below 100
    int intervalMinutes = 30;             // settled from the labels' step unless given
    bool intervalGiven = false;           // given: the labels' step must agree with it
    std::optional<int> talk;              // for files without a talk column
    int acw = 0;                          // for files without an acw column
    std::optional<int> patience;          // seconds; given, the plan uses Erlang A
    std::optional<Decimal> maxAbandon;    // percent of offered calls

    int IntervalSeconds() const { return intervalMinutes * 60; }
};

}  // namespace corvane::plan
