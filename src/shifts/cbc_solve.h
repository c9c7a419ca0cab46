#pragma once

#include <optional>
#include <vector>

#include "shifts/shift_model.h"

namespace corvane::shifts {

// What the solver made of a model.
struct SolverOutcome {
    std::optional<std::vector<double>> values;  // the best solution found, per column
    double objective = 0;                       // its cost
    double bound = 0;                           // no solution costs less
    bool optimal = false;                       // proven
    bool infeasible = false;                    // proven: no solution exists
    double seconds = 0;                         // wall-clock time of the solve
};

// Solves `model` with CBC's branch and cut, its cuts and heuristics on,
// stopping after `timeLimit` seconds with the best solution found; `start`
// (a solution, per column) is where it begins when given.
SolverOutcome SolveModel(const ShiftModel& model, double timeLimit,
                         const std::vector<double>* start);

}  // namespace corvane::shifts
