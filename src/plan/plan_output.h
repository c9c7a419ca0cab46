#pragma once

#include <string>

#include "plan/day_plan.h"

namespace corvane::plan {

// The targets in words, for headings and the chart's title:
// "80 % of calls answered within 20 s; ASA at most 15 s".
std::string TargetText(const PlanOptions& options);

// A fixed-column table in the style of the window's tables, then the totals.
std::string PlanText(const DayPlan& plan, const std::string& fileName);

// One header line, then a line per interval; "." decimals, shares in percent.
std::string PlanCsv(const DayPlan& plan);

// The options used, the rows at full precision and the totals.
std::string PlanJson(const DayPlan& plan, const std::string& fileName);

}  // namespace corvane::plan
