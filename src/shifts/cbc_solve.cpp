#include "shifts/cbc_solve.h"

#include <coin/CbcEventHandler.hpp>
#include <coin/CbcModel.hpp>
#include <coin/CbcSolver.hpp>
#include <coin/OsiClpSolverInterface.hpp>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <cmath>
#include <string>

namespace corvane::shifts {

namespace {

// Hands the solver's progress to the watch at each of its events (nodes,
// solutions, heuristic and cut passes), and stops the solve when it says
// so. The solver clones it into
// the model it branches on: the clones share the watch and what it said.
class Watcher : public CbcEventHandler {
public:
    Watcher(const SolveWatch* watch, bool* stopped, SolveClock::time_point deadline)
        : watch_(watch), stopped_(stopped), deadline_(deadline) {}

    CbcAction event(CbcEvent which) override {
        if (!*stopped_ && *watch_) {
            SolveProgress p;
            p.bound = model_->getBestPossibleObjValue();
            if (model_->bestSolution() != nullptr) p.best = model_->getObjValue();
            *stopped_ = !(*watch_)(p);
        }
        // The time limit is the clock's: at it the solve ends as though
        // its own limit had, keeping the best plan found.
        const bool late = SolveClock::now() >= deadline_;
        if (!*stopped_ && !late) return noAction;
        // Between nodes the solver stops when told so; in its root cuts
        // and heuristics it looks for the flag its own Ctrl+C sets.
        model_->sayEventHappened();
        const bool stops = which == node || which == treeStatus || which == solution ||
                           which == heuristicSolution;
        return stops ? stop : noAction;
    }

    CbcEventHandler* clone() const override { return new Watcher(*this); }

private:
    const SolveWatch* watch_;
    bool* stopped_;
    SolveClock::time_point deadline_;
};

// CBC's command-line driver keeps process-wide state (how it reads its
// arguments, its Ctrl+C handler) that two solves at once would share: one
// solve at a time goes through it, the others waiting their turn here.
std::timed_mutex& DriverLock() {
    static std::timed_mutex lock;
    return lock;
}

}  // namespace

double GapPercent(double best, double bound) {
    const double floor = std::isfinite(bound) ? std::max(0.0, bound) : 0.0;
    return best > 0 ? std::max(0.0, (best - floor) / best * 100.0) : 0.0;
}

SolverOutcome SolveModel(const ShiftModel& model, SolveClock::time_point deadline,
                         const std::vector<double>* start, const SolveWatch& watch) {
    const auto began = SolveClock::now();
    SolverOutcome out;
    // Waiting for another solve to finish counts against this one's time,
    // and a cancel reaches it while it waits.
    std::unique_lock<std::timed_mutex> turn(DriverLock(), std::defer_lock);
    while (!turn.try_lock_for(std::chrono::milliseconds(50))) {
        if ((watch && !watch(SolveProgress{std::nullopt, 0})) || SolveClock::now() >= deadline) {
            out.stopped = watch && SolveClock::now() < deadline;
            out.seconds = std::chrono::duration<double>(SolveClock::now() - began).count();
            return out;
        }
    }
    OsiClpSolverInterface solver;
    std::vector<CoinBigIndex> columnStart(model.columnStart.begin(), model.columnStart.end());
    solver.loadProblem(model.Columns(), model.Rows(), columnStart.data(), model.rowIndex.data(),
                       model.value.data(), nullptr, nullptr, model.cost.data(),
                       model.rowLower.data(), model.rowUpper.data());
    for (int c = 0; c < model.IntegerColumns(); ++c) solver.setInteger(c);
    solver.messageHandler()->setLogLevel(0);
    CbcModel cbc(solver);
    CbcSolverUsefulData data;
    CbcMain0(cbc, data);
    cbc.setLogLevel(0);
    cbc.messageHandler()->setLogLevel(0);
    if (start) {
        // The solver works out the continuous columns itself. It finds the
        // columns of a start by name.
        std::vector<std::string> names;
        std::vector<const char*> pointers;
        names.reserve(static_cast<std::size_t>(model.IntegerColumns()));
        for (int c = 0; c < model.IntegerColumns(); ++c) names.push_back(solver.getColName(c));
        for (const std::string& n : names) pointers.push_back(n.c_str());
        cbc.setMIPStart(model.IntegerColumns(), pointers.data(), start->data());
    }
    bool stopped = false;
    Watcher watcher(&watch, &stopped, deadline);
    cbc.passInEventHandler(&watcher);
    // Clp's primal steepest-edge pricing stops the process on an assertion
    // with some of these programs (a week of quarter-hours with lunches
    // did); Dantzig's pricing has no such check and solves them as well.
    // Seconds of the clock, not of the processor: what is left until the
    // deadline.
    const double left = std::chrono::duration<double>(deadline - SolveClock::now()).count();
    const std::string seconds = std::to_string(std::max(left, 0.01));
    const char* arguments[] = {"corvane",  "-log",    "0",       "-timeMode", "elapsed",
                               "-seconds", seconds.c_str(),     "-primalP",  "dantzig",
                               "-preprocess", "off", "-solve",   "-quit"};
    CbcMain1(static_cast<int>(std::size(arguments)), arguments, cbc, nullptr, data);
    out.seconds = std::chrono::duration<double>(SolveClock::now() - began).count();
    out.stopped = stopped;
    out.infeasible = cbc.isProvenInfeasible();
    if (cbc.bestSolution() != nullptr) {
        const double* values = cbc.bestSolution();
        out.values.emplace(values, values + model.Columns());
        out.objective = cbc.getObjValue();
        out.optimal = cbc.isProvenOptimal() && !stopped;
    }
    out.bound = cbc.getBestPossibleObjValue();
    return out;
}

}  // namespace corvane::shifts
