#include "shifts/cbc_solve.h"

#include <coin/Cbc_C_Interface.h>

#include <chrono>
#include <memory>
#include <numeric>

namespace corvane::shifts {

namespace {

struct ModelDeleter {
    void operator()(Cbc_Model* m) const { Cbc_deleteModel(m); }
};

}  // namespace

SolverOutcome SolveModel(const ShiftModel& model, double timeLimit,
                         const std::vector<double>* start) {
    const std::unique_ptr<Cbc_Model, ModelDeleter> owned(Cbc_newModel());
    Cbc_Model* cbc = owned.get();
    std::vector<CoinBigIndex> columnStart(model.columnStart.begin(), model.columnStart.end());
    Cbc_loadProblem(cbc, model.Columns(), model.Rows(), columnStart.data(), model.rowIndex.data(),
                    model.value.data(), nullptr, nullptr, model.cost.data(),
                    model.rowLower.data(), model.rowUpper.data());
    for (int c = 0; c < model.IntegerColumns(); ++c) Cbc_setInteger(cbc, c);
    Cbc_setLogLevel(cbc, 0);
    Cbc_setMaximumSeconds(cbc, timeLimit);
    // Clp's primal steepest-edge pricing stops the process on an assertion
    // with some of these programs (a week of quarter-hours with lunches
    // did); Dantzig's pricing has no such check and solves them as well.
    Cbc_setParameter(cbc, "primalP", "dantzig");
    if (start) {
        // The solver works out the continuous columns itself.
        std::vector<int> index(static_cast<std::size_t>(model.IntegerColumns()));
        std::iota(index.begin(), index.end(), 0);
        Cbc_setMIPStartI(cbc, static_cast<int>(index.size()), index.data(), start->data());
    }
    const auto began = std::chrono::steady_clock::now();
    Cbc_solve(cbc);
    SolverOutcome out;
    out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    out.infeasible = Cbc_isProvenInfeasible(cbc) != 0;
    if (Cbc_bestSolution(cbc) != nullptr) {
        const double* values = Cbc_getColSolution(cbc);
        out.values.emplace(values, values + model.Columns());
        out.objective = Cbc_getObjValue(cbc);
        out.optimal = Cbc_isProvenOptimal(cbc) != 0;
    }
    out.bound = Cbc_getBestPossibleObjValue(cbc);
    return out;
}

}  // namespace corvane::shifts
