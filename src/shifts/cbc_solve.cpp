#include "shifts/cbc_solve.h"

#include <coin/CbcEventHandler.hpp>
#include <coin/CbcModel.hpp>
#include <coin/CbcSolver.hpp>
#include <coin/OsiClpSolverInterface.hpp>

#include <algorithm>
#include <chrono>
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
    Watcher(const SolveWatch* watch, bool* stopped) : watch_(watch), stopped_(stopped) {}

    CbcAction event(CbcEvent which) override {
        if (!*stopped_) {
            SolveProgress p;
            p.bound = model_->getBestPossibleObjValue();
            if (model_->bestSolution() != nullptr) p.best = model_->getObjValue();
            *stopped_ = !(*watch_)(p);
        }
        if (!*stopped_) return noAction;
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
};

}  // namespace

double GapPercent(double best, double bound) {
    const double floor = std::isfinite(bound) ? std::max(0.0, bound) : 0.0;
    return best > 0 ? std::max(0.0, (best - floor) / best * 100.0) : 0.0;
}

SolverOutcome SolveModel(const ShiftModel& model, double timeLimit,
                         const std::vector<double>* start, const SolveWatch& watch) {
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
    if (watch) {
        Watcher watcher(&watch, &stopped);
        cbc.passInEventHandler(&watcher);
    }
    // Clp's primal steepest-edge pricing stops the process on an assertion
    // with some of these programs (a week of quarter-hours with lunches
    // did); Dantzig's pricing has no such check and solves them as well.
    const std::string seconds = std::to_string(timeLimit);
    const char* arguments[] = {"corvane", "-log",   "0",      "-seconds", seconds.c_str(),
                               "-primalP", "dantzig", "-solve", "-quit"};
    const auto began = std::chrono::steady_clock::now();
    CbcMain1(static_cast<int>(std::size(arguments)), arguments, cbc, nullptr, data);
    SolverOutcome out;
    out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
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
