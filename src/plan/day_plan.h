#pragma once

#include <optional>
#include <vector>

#include "plan/forecast.h"
#include "plan/interval_plan.h"
#include "plan/plan_options.h"

namespace corvane::plan {

struct PlanTotals {
    double requiredHours = 0;         // agent-hours on the phones
    double scheduledHours = 0;        // agent-hours with shrinkage
    std::optional<std::size_t> peak;  // index of the first interval needing the most agents
    int outsideRange = 0;             // intervals the model could not compute
};

struct DayPlan {
    PlanOptions options;
    std::vector<IntervalPlan> rows;
    PlanTotals totals;
};

DayPlan PlanDay(const Forecast& forecast, const PlanOptions& options);

}  // namespace corvane::plan
