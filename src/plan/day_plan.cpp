#include "plan/day_plan.h"

#include "input/interval_step.h"

namespace corvane::plan {

Result<DayPlan, input::PlanFault> PlanDay(const input::Forecast& forecast, const PlanOptions& given) {
    input::StepCounter steps;
    for (const input::ForecastRow& row : forecast.rows) steps.Add(row);
    const auto interval = input::ResolveInterval(
        steps, given.intervalGiven ? std::optional<int>(given.intervalMinutes) : std::nullopt);
    if (!interval) return Fail(interval.Error());
    PlanOptions options = given;
    options.intervalMinutes = interval.Value();
    DayPlan plan{options, {}, PlanTotals(options.intervalMinutes)};
    plan.rows.resize(forecast.rows.size());
    for (std::size_t i = 0; i < forecast.rows.size(); ++i) plan.rows[i].input = forecast.rows[i];
    PlanIntervals(plan.rows.data(), plan.rows.size(), options);
    for (const IntervalPlan& p : plan.rows)
        if (auto added = plan.totals.Add(p); !added) return Fail(added.Error());
    return plan;
}

}  // namespace corvane::plan
