#pragma once

#include <string>

#include "calc/result.h"
#include "shifts/shift_plan.h"

namespace corvane::cli {

// The shift planner, from the module that lies beside corvane-plan (in the
// build tree) or in the installed program directory: only it loads CBC's
// libraries, so a run without shifts does not pay for them. Why not, when
// it cannot be loaded.
Result<shifts::PlanShiftsFunction, std::string> LoadShiftPlanner();

}  // namespace corvane::cli
