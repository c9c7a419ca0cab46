#pragma once

#include <vector>

#include "input/forecast.h"
#include "plan/interval_plan.h"
#include "plan/plan_options.h"
#include "plan/plan_totals.h"

namespace corvane::plan {

// A whole plan in memory: for small forecasts and tests. Long ones are
// planned and written an interval at a time (see streamed_plan.h).
struct DayPlan {
    PlanOptions options;
    std::vector<IntervalPlan> rows;
    PlanTotals totals;
};

Result<DayPlan, input::PlanFault> PlanDay(const input::Forecast& forecast, const PlanOptions& options);

}  // namespace corvane::plan
