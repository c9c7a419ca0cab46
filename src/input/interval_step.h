#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "calc/result.h"
#include "input/forecast.h"
#include "input/plan_fault.h"

namespace corvane::input {

// The interval length the labels show: the most common step between
// consecutive labels of one day (gaps such as closed nights are simply
// other steps), the shorter on a tie.
class StepCounter {
public:
    void Add(const ForecastRow& row);
    std::optional<int> Step() const;  // minutes; none without times of day
    // Where a step is first seen: the line it ends on and the minute it
    // starts from.
    struct Example {
        int line = 0;
        int fromMinute = 0;
    };
    Example FirstOf(int step) const;

private:
    struct Seen {
        long count = 0;
        int line = 0;  // the first pair with this step ends here
        int fromMinute = 0;
    };
    struct Label {
        std::optional<std::int32_t> day;
        int minute = 0;
    };
    std::map<int, Seen> steps_;
    std::optional<Label> last_;
};

// The interval length of the plan: the one given, which must agree with
// the labels' step where they show one, else the labels' step, else 30.
Result<int, PlanFault> ResolveInterval(const StepCounter& steps, std::optional<int> given);

}  // namespace corvane::input
