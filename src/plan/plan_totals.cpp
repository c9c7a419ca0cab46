#include "plan/plan_totals.h"

#include <limits>

namespace corvane::plan {

namespace {

bool Fits(std::int64_t sum, long value) {
    return value <= std::numeric_limits<std::int64_t>::max() - sum;
}

void Count(Sums& sums, const IntervalPlan& p) {
    sums.required += p.agents;
    sums.scheduled += p.scheduled;
    if (p.agents > 0 && (!sums.peak || p.agents > sums.peak->agents))
        sums.peak = PeakInterval{p.input.label, p.agents, p.scheduled};
}

}  // namespace

Result<void, input::PlanFault> PlanTotals::Add(const IntervalPlan& p) {
    DayTotals* day = nullptr;
    if (p.input.day) {
        const auto [at, added] = dayIndex_.emplace(*p.input.day, days_.size());
        if (added) days_.push_back(DayTotals{*p.input.day, {}});
        day = &days_[at->second];
    }
    if (p.status == IntervalStatus::OutsideRange) {
        ++outsideRange_;
        return {};
    }
    // A day's sums are parts of the whole: they fit when the whole does.
    if (!Fits(all_.required, p.agents) || !Fits(all_.scheduled, p.scheduled))
        return Fail(input::PlanFault{input::PlanFault::Kind::BadInput,
                              "the plan's totals are too large to add up (more than "
                              "9,223,372,036,854,775,807 agent-intervals)"});
    Count(all_, p);
    if (day) Count(day->sums, p);
    return {};
}

double PlanTotals::Hours(std::int64_t agentIntervals) const {
    return static_cast<double>(agentIntervals) * intervalMinutes_ / 60.0;
}

}  // namespace corvane::plan
