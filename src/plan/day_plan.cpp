#include "plan/day_plan.h"

namespace corvane::plan {

DayPlan PlanDay(const Forecast& forecast, const PlanOptions& options) {
    DayPlan plan;
    plan.options = options;
    plan.rows.reserve(forecast.rows.size());
    long required = 0;
    long scheduled = 0;
    for (const ForecastRow& row : forecast.rows) {
        IntervalPlan p = PlanInterval(row, options);
        if (p.status == IntervalStatus::OutsideRange) {
            ++plan.totals.outsideRange;
        } else {
            required += p.agents;
            scheduled += p.scheduled;
            if (p.agents > 0 &&
                (!plan.totals.peak || p.agents > plan.rows[*plan.totals.peak].agents))
                plan.totals.peak = plan.rows.size();
        }
        plan.rows.push_back(std::move(p));
    }
    const double hoursPerInterval = options.intervalMinutes / 60.0;
    plan.totals.requiredHours = static_cast<double>(required) * hoursPerInterval;
    plan.totals.scheduledHours = static_cast<double>(scheduled) * hoursPerInterval;
    return plan;
}

}  // namespace corvane::plan
