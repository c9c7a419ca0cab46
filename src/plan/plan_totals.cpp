#include "plan/plan_totals.h"

#include <limits>

#include "plan/forecast_csv.h"

namespace corvane::plan {

namespace {

void AddChecked(std::int64_t& sum, long value) {
    if (value > std::numeric_limits<std::int64_t>::max() - sum)
        throw PlanInputError(
            "the plan's totals are too large to add up (more than 9,223,372,036,854,775,807 "
            "agent-intervals)");
    sum += value;
}

}  // namespace

void PlanTotals::Add(const IntervalPlan& p) {
    if (p.status == IntervalStatus::OutsideRange) {
        ++outsideRange_;
        return;
    }
    AddChecked(required_, p.agents);
    AddChecked(scheduled_, p.scheduled);
    if (p.agents > 0 && (!peak_ || p.agents > peak_->agents))
        peak_ = PeakInterval{p.input.label, p.agents, p.scheduled};
}

double PlanTotals::RequiredHours() const {
    return static_cast<double>(required_) * intervalMinutes_ / 60.0;
}

double PlanTotals::ScheduledHours() const {
    return static_cast<double>(scheduled_) * intervalMinutes_ / 60.0;
}

}  // namespace corvane::plan
