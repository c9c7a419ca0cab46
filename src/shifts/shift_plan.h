#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/result.h"
#include "input/plan_fault.h"
#include "plan/plan_options.h"
#include "plan/shift_summary.h"
#include "shifts/cbc_solve.h"
#include "shifts/shift_goal.h"
#include "shifts/shift_grid.h"
#include "shifts/shift_type.h"

namespace corvane::shifts {

struct ShiftOptions {
    double timeLimit = 10;    // seconds of the clock the shift work may take
    bool allowShort = false;  // leave intervals no shift can cover short
    SolveWatch watch;         // told of the solve's progress; may cancel it
    ShiftGoal goal = ShiftGoal::Interval;
    // With a goal over days or weeks: the least service level (per cent)
    // every interval with calls keeps, and the plan's targets and model.
    std::optional<plan::Decimal> intervalFloor{};
    plan::PlanOptions plan{};
};

// A shift plan and the agents it puts on duty in each interval.
struct ShiftOutcome {
    plan::ShiftSummary summary;
    std::vector<long> onDuty;  // per demand, in its order
};

// Plans the shifts that staff `demand` (the plan's intervals, in file
// order) at the least cost. Refuses, naming the interval in `forecastName`,
// an interval that no shift can cover or that the `max` limits leave short
// (unless short intervals are allowed), and says so when the time limit
// ends the solve before any plan is found.
Result<ShiftOutcome, input::PlanFault> PlanShifts(const std::vector<Demand>& demand,
                                                 int intervalMinutes,
                                                 const std::string& forecastName,
                                                 const ShiftFile& file,
                                                 const ShiftOptions& options);

// Why the program for `grid` is too large to solve, if it is.
std::optional<input::PlanFault> SizeFault(const ShiftGrid& grid, const ShiftFile& file);

// A plan of all of `demand` in one program, until `deadline`, with the
// cost and the bound its gap is measured between (the bound is the cost
// when proven optimal). `dayName`, when not empty, is the one day the
// demand covers, as a goal it cannot reach is refused for.
struct SolvedPlan {
    ShiftOutcome outcome;
    double cost = 0;
    double bound = 0;
};
Result<SolvedPlan, input::PlanFault> PlanTogether(const std::vector<Demand>& demand,
                                                  int intervalMinutes,
                                                  const std::string& forecastName,
                                                  const ShiftFile& file, const ShiftOptions& options,
                                                  SolveClock::time_point deadline,
                                                  const std::string& dayName = {});

// PlanShifts, as the module corvane-plan loads hands it over.
using PlanShiftsFunction = decltype(&PlanShifts);

}  // namespace corvane::shifts
