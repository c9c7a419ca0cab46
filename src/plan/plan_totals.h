#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "calc/result.h"
#include "plan/interval_plan.h"
#include "input/plan_fault.h"

namespace corvane::plan {

// The first interval that needs the most agents.
struct PeakInterval {
    std::string label;
    long agents = 0;
    long scheduled = 0;
};

// What a group of intervals adds up to: the whole plan, or one day of it.
struct Sums {
    std::int64_t required = 0;  // agent-intervals
    std::int64_t scheduled = 0;
    std::optional<PeakInterval> peak;
};

// One day of a plan whose labels carry dates.
struct DayTotals {
    std::int32_t day = 0;  // days from 1970-01-01
    Sums sums;
};

// What a whole plan adds up to, gathered an interval at a time: in all, and
// per day when the labels carry dates.
class PlanTotals {
public:
    explicit PlanTotals(int intervalMinutes = 30) : intervalMinutes_(intervalMinutes) {}

    // Counts one planned interval. Refuses it, leaving the totals as they
    // were, when a sum would no longer fit, rather than wrap round to a
    // wrong (even negative) total.
    Result<void, input::PlanFault> Add(const IntervalPlan& p);

    double RequiredHours() const { return Hours(all_.required); }    // agent-hours on the phones
    double ScheduledHours() const { return Hours(all_.scheduled); }  // agent-hours with shrinkage
    const std::optional<PeakInterval>& Peak() const { return all_.peak; }
    std::int64_t OutsideRange() const { return outsideRange_; }
    // In the order the days first appear; empty without dates.
    const std::vector<DayTotals>& Days() const { return days_; }
    double Hours(std::int64_t agentIntervals) const;

private:
    int intervalMinutes_;
    Sums all_;
    std::vector<DayTotals> days_;
    std::unordered_map<std::int32_t, std::size_t> dayIndex_;
    std::int64_t outsideRange_ = 0;
};

}  // namespace corvane::plan
