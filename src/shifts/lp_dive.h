#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "shifts/shift_model.h"

namespace corvane::shifts {

// The linear relaxation's solution of `model` (agents may be fractions),
// within `seconds`; none when it is infeasible or takes longer.
std::optional<std::vector<double>> RelaxedSolution(const ShiftModel& model, double seconds);

// Told of each better whole-number solution as it is found, and its cost.
using DiveFound = std::function<void(const std::vector<double>&, double)>;

// A whole-number solution of `model` found by following its linear
// relaxation: solve it, round the counts nearest a whole number (up, or
// down where the relaxation allows), solve again, until every count is
// whole. Shift programs have relaxations that are nearly whole already,
// so this lands close to the optimum, long before branch and bound finds
// anything of its own. `goOn` is asked between steps (and the simplex
// method stops by itself after `seconds`). Nothing when it ran out of
// time or found the program infeasible.
struct Dive {
    double bound = 0;                            // its cost: no solution costs less
    std::optional<std::vector<double>> whole;    // the solution the dive ended in
};
std::optional<Dive> DiveSolution(const ShiftModel& model, double seconds,
                                 const std::function<bool()>& goOn, const DiveFound& found,
                                 const std::vector<double>* incumbent = nullptr);


}  // namespace corvane::shifts
