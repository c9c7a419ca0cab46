#include "plan/plan_totals.h"

#include <limits>


namespace corvane::plan {

namespace {

bool Fits(std::int64_t sum, long value) {
    return value <= std::numeric_limits<std::int64_t>::max() - sum;
}

}  // namespace

Result<void, PlanFault> PlanTotals::Add(const IntervalPlan& p) {
    if (p.status == IntervalStatus::OutsideRange) {
        ++outsideRange_;
        return {};
    }
    if (!Fits(required_, p.agents) || !Fits(scheduled_, p.scheduled))
        return Fail(PlanFault{PlanFault::Kind::BadInput,
                              "the plan's totals are too large to add up (more than "
                              "9,223,372,036,854,775,807 agent-intervals)"});
    required_ += p.agents;
    scheduled_ += p.scheduled;
    if (p.agents > 0 && (!peak_ || p.agents > peak_->agents))
        peak_ = PeakInterval{p.input.label, p.agents, p.scheduled};
    return {};
}

double PlanTotals::RequiredHours() const {
    return static_cast<double>(required_) * intervalMinutes_ / 60.0;
}

double PlanTotals::ScheduledHours() const {
    return static_cast<double>(scheduled_) * intervalMinutes_ / 60.0;
}

}  // namespace corvane::plan
