#pragma once

#include <optional>
#include <vector>

#include "plan/plan_options.h"
#include "shifts/shift_grid.h"

namespace corvane::shifts {

// An interval's service level (a fraction) as a function of its agents on
// the phones, from `low` agents on: level[k] with low + k. Increasing, with
// increments that never grow (checked), so a linear program that may add
// agents one at a time takes them in order; it ends where more agents add
// next to nothing.
struct ServiceCurve {
    long low = 0;
    std::vector<double> level;
};

// The curve of `d` by the plan's model, from the least count that meets
// `floorPercent` (when given) and the plan's ASA and occupancy limits, and
// carries the traffic. None when no count up to the plan's limit does.
std::optional<ServiceCurve> CurveOf(const Demand& d, const plan::PlanOptions& options,
                                    const std::optional<plan::Decimal>& floorPercent);

}  // namespace corvane::shifts
