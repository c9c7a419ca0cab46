#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calc/result.h"
#include "plan/interval_plan.h"
#include "input/plan_fault.h"

namespace corvane::shifts {

// An interval of the plan as shifts cover it: the agents scheduled in it.
struct Demand {
    std::string label;
    int line = 0;
    std::optional<std::int32_t> day;  // days from 1970-01-01
    std::optional<int> minute;        // after midnight
    long agents = 0;
    double calls = 0;   // the interval's forecast, for a goal over the day
    double handle = 0;  // seconds: talk and after-call work
};

// A planned interval as shifts must cover it: its agents scheduled, none
// where it is outside the usable range.
Demand DemandOf(const plan::IntervalPlan& p);

// The plan's intervals laid on a grid of whole days of intervals, from
// midnight of the first day to the end of the last, so a shift's start and
// each interval it works are counted in slots.
struct ShiftGrid {
    int intervalMinutes = 30;
    int slotsPerDay = 48;
    int days = 1;
    std::optional<std::int32_t> firstDay;  // without dates: none, every weekday allowed
    bool cyclic = false;                   // whole weeks: the last day runs on into the first
    std::vector<long> need;                // agents per slot; 0 where there is no interval
    std::vector<int> slotOfDemand;         // per demand, its slot

    int Slots() const { return days * slotsPerDay; }
    // A slot past the end wraps round on a cyclic grid, and falls off
    // otherwise (-1).
    int Wrap(long slot) const;
};

// Lays out the intervals, whose length must divide the day. Their labels
// must carry times of day on the interval boundaries; without dates, a time that does not come after the
// one before begins a new day. Refuses two intervals in one slot.
Result<ShiftGrid, input::PlanFault> LayGrid(const std::vector<Demand>& demand,
                                           int intervalMinutes, const std::string& fileName);

}  // namespace corvane::shifts
