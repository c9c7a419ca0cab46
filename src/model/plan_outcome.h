#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>
#include <string>

#include "calc/result.h"
#include "model/plan_settings.h"
#include "report/chart_series.h"
#include "plan/day_plan.h"
#include "input/forecast.h"
#include "report/plan_output.h"
#include "plan/shift_summary.h"
#include "shifts/cbc_solve.h"

namespace corvane::model {

// A forecast planned as the window shows it: every interval, the totals,
// and the shift plan when shift types were given (each row then says its
// agents on duty).
struct PlanOutcome {
    plan::DayPlan plan;
    std::optional<plan::ShiftSummary> shifts;
};

// Plans the forecast as corvane-plan does with the same options; `watch`
// follows the shift solve and may cancel it. The fault's message names the
// forecast or the shifts file.
Result<PlanOutcome, input::PlanFault> MakePlan(const input::Forecast& forecast,
                                              const PlanSettings& settings,
                                              const shifts::SolveWatch& watch = {});

// Whether the labels carry times of day, which settle the interval length.
bool LabelsCarryTimes(const input::Forecast& forecast);

// The plan as corvane-plan writes it for a forecast named `name`.
std::string OutcomeText(const PlanOutcome& outcome, report::PlanFormat format,
                        const std::string& name);

// What its chart draws: the whole plan, or the rows given (a day's).
input::ChartData OutcomeChart(const PlanOutcome& outcome);
input::ChartData OutcomeChart(const PlanOutcome& outcome, const std::vector<std::size_t>& rows);

// The days the plan's rows carry, in date order; and the rows of one, in
// the plan's order.
std::vector<std::int32_t> PlanDays(const PlanOutcome& outcome);
std::vector<std::size_t> RowsOfDay(const PlanOutcome& outcome, std::int32_t day);

}  // namespace corvane::model
