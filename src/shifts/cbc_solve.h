#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

#include "shifts/gap.h"
#include "shifts/shift_model.h"

namespace corvane::shifts {

// Where a solve stands: the best solution's cost so far (none yet: no
// value) and the bound no solution beats.
struct SolveProgress {
    std::optional<double> best;
    double bound = 0;
};


using SolveClock = std::chrono::steady_clock;

// Told of the solve's progress from the solving thread, now and then;
// answers whether to go on.
using SolveWatch = std::function<bool(const SolveProgress&)>;

// What the solver made of a model.
struct SolverOutcome {
    std::optional<std::vector<double>> values;  // the best solution found, per column
    double objective = 0;                       // its cost
    double bound = 0;                           // no solution costs less
    bool optimal = false;                       // proven
    bool infeasible = false;                    // proven: no solution exists
    bool stopped = false;                       // the watch asked it to stop
    bool memoryFull = false;                    // stopped at the memory a solve may take
    double seconds = 0;                         // wall-clock time of the solve
};

// Solves `model` with CBC's branch and cut, its cuts and heuristics on,
// stopping at `deadline` with the best solution found; `start` (a solution,
// per column) is where it begins when given. Solves in one process take
// turns: a solve waits for the one under way, and the wait counts against
// its deadline.
// The answer comes at the deadline (give or take a fraction of a second)
// whatever the solver is doing: one that has not stopped by then is left
// to stop at its next step, and the answer is the best plan it had found.
SolverOutcome SolveModel(const ShiftModel& model, SolveClock::time_point deadline,
                         const std::vector<double>* start, const SolveWatch& watch = {});

// Waits for the solves left to stop on their own (as a program ends).
void FinishSolves();

}  // namespace corvane::shifts
