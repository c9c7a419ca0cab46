#include "plan/day_plan.h"

namespace corvane::plan {

Result<DayPlan, PlanFault> PlanDay(const Forecast& forecast, const PlanOptions& options) {
    DayPlan plan{options, {}, PlanTotals(options.intervalMinutes)};
    plan.rows.reserve(forecast.rows.size());
    for (const ForecastRow& row : forecast.rows) {
        plan.rows.push_back(PlanInterval(row, options));
        if (auto added = plan.totals.Add(plan.rows.back()); !added) return Fail(added.Error());
    }
    return plan;
}

}  // namespace corvane::plan
