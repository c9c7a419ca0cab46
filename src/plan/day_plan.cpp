#include "plan/day_plan.h"

#include "plan/interval_step.h"

namespace corvane::plan {

Result<DayPlan, PlanFault> PlanDay(const Forecast& forecast, const PlanOptions& given) {
    StepCounter steps;
    for (const ForecastRow& row : forecast.rows) steps.Add(row);
    const auto interval = ResolveInterval(
        steps, given.intervalGiven ? std::optional<int>(given.intervalMinutes) : std::nullopt);
    if (!interval) return Fail(interval.Error());
    PlanOptions options = given;
    options.intervalMinutes = interval.Value();
    DayPlan plan{options, {}, PlanTotals(options.intervalMinutes)};
    plan.rows.reserve(forecast.rows.size());
    for (const ForecastRow& row : forecast.rows) {
        plan.rows.push_back(PlanInterval(row, options));
        if (auto added = plan.totals.Add(plan.rows.back()); !added) return Fail(added.Error());
    }
    return plan;
}

}  // namespace corvane::plan
