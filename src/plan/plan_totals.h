#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "calc/result.h"
#include "plan/interval_plan.h"
#include "plan/plan_fault.h"

namespace corvane::plan {

// The first interval that needs the most agents.
struct PeakInterval {
    std::string label;
    long agents = 0;
    long scheduled = 0;
};

// What a whole plan adds up to, gathered an interval at a time.
class PlanTotals {
public:
    explicit PlanTotals(int intervalMinutes = 30) : intervalMinutes_(intervalMinutes) {}

    // Counts one planned interval. Refuses it, leaving the totals as they
    // were, when a sum would no longer fit, rather than wrap round to a
    // wrong (even negative) total.
    Result<void, PlanFault> Add(const IntervalPlan& p);

    double RequiredHours() const;   // agent-hours on the phones
    double ScheduledHours() const;  // agent-hours with shrinkage
    const std::optional<PeakInterval>& Peak() const { return peak_; }
    std::int64_t OutsideRange() const { return outsideRange_; }

private:
    int intervalMinutes_;
    std::int64_t required_ = 0;  // agent-intervals
    std::int64_t scheduled_ = 0;
    std::optional<PeakInterval> peak_;
    std::int64_t outsideRange_ = 0;
};

}  // namespace corvane::plan
