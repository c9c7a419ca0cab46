#pragma once

#include "plan/decimal.h"

namespace corvane::plan {

// The smallest whole number of agents whose share on the phones,
// (100 - shrinkage) %, covers `agents`; decided in whole numbers, so 21
// agents at 30 % give 30, not 31. The shrinkage must lie below 100 %, as
// the plan options are checked to.
long ScheduledAgents(long agents, const Decimal& shrinkagePercent);

}  // namespace corvane::plan
