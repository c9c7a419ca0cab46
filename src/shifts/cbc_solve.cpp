#include "shifts/cbc_solve.h"
#include "shifts/lp_dive.h"

#include <coin/CbcEventHandler.hpp>
#include <coin/CbcModel.hpp>
#include <coin/CbcSolver.hpp>
#include <coin/OsiClpSolverInterface.hpp>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <vector>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <cmath>
#include <cstdio>
#include <string>

namespace corvane::shifts {

namespace {

// Branch and bound keeps a tree of open nodes that grows as it goes: past
// this much memory in the process it stops, keeping the best plan found,
// so that no accepted program takes more than 1.5 GB.
constexpr long kMemoryStopBytes = 1200L * 1024 * 1024;
constexpr auto kMemoryLook = std::chrono::milliseconds(20);
// Its root (cuts and heuristics) tells no events, and with larger programs
// took gigabytes (a day of minutes, 13 shift types starting at any minute:
// 1.7 GB in 17 s): those have the dives alone, and their bound.
constexpr int kBranchColumns = 20000;
constexpr std::size_t kBranchEntries = 2500000;

// The memory the process holds now: its resident set, or (without /proc)
// the most it has held.
long ResidentBytes() {
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        long size = 0;
        long resident = 0;
        const int read = std::fscanf(f, "%ld %ld", &size, &resident);
        std::fclose(f);
        if (read == 2) return resident * sysconf(_SC_PAGESIZE);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss * 1024L;
}

// At the deadline the caller waits this much longer for the solver to
// stop by itself before it answers with the best plan seen.
constexpr auto kGrace = std::chrono::milliseconds(300);

// What a solve's own thread and its caller share. The caller may leave at
// its deadline with the best plan seen so far; the thread then stops at
// the solver's next event, and the caller's watch is no longer called.
struct Solve {
    Solve(const ShiftModel& m, const std::vector<double>* s, SolveWatch w,
          SolveClock::time_point d)
        : model(m), watch(std::move(w)), deadline(d) {
        if (s) start = *s;
    }

    const ShiftModel model;
    std::optional<std::vector<double>> start;
    const SolveWatch watch;
    const SolveClock::time_point deadline;

    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    bool abandoned = false;     // the caller has its answer
    bool stopped = false;       // the watch asked to stop
    bool memoryFull = false;    // stopped at kMemoryStopBytes
    SolverOutcome out;          // once done
    // The branch and bound's own best plan and bound so far (not those of
    // the small searches its heuristics run, whose bounds prove nothing).
    std::optional<std::vector<double>> best;
    double bestCost = 0;
    double bound = -COIN_DBL_MAX;
};

// The threads of solves, running or abandoned and still stopping; each is
// joined once it has ended (the next solve looks), or as the program ends.
struct SolveThread {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> ended;
};
// A program that ends without FinishSolves still joins them.
struct SolveThreads : std::vector<SolveThread> {
    ~SolveThreads() {
        for (SolveThread& t : *this)
            if (t.thread.joinable()) t.thread.join();
    }
};
std::mutex threadsMutex;
SolveThreads threads;

void JoinEnded(bool all) {
    std::vector<SolveThread> ending;
    {
        const std::lock_guard<std::mutex> hold(threadsMutex);
        for (auto it = threads.begin(); it != threads.end();) {
            if (all || *it->ended) {
                ending.push_back(std::move(*it));
                it = threads.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (SolveThread& t : ending) t.thread.join();
}

// Hands the solver's progress to the watch at each of its events (nodes,
// solutions, heuristic and cut passes), keeps the best plan seen, and
// stops the solve when the watch says so, at the deadline, or when the
// caller has left. The solver clones it into the models it branches on.
class Watcher : public CbcEventHandler {
public:
    explicit Watcher(Solve* solve) : solve_(solve) {}

    CbcAction event(CbcEvent which) override {
        SolveProgress p;
        p.bound = model_->getBestPossibleObjValue();
        if (model_->bestSolution() != nullptr) p.best = model_->getObjValue();
        bool halt = false;
        {
            const std::lock_guard<std::mutex> hold(solve_->mutex);
            if (model_->parentModel() == nullptr) Keep(p);
            if (!solve_->stopped && !solve_->abandoned && solve_->watch)
                solve_->stopped = !solve_->watch(p);
            if (const auto now = SolveClock::now(); now >= nextLook_) {
                nextLook_ = now + kMemoryLook;
                solve_->memoryFull = solve_->memoryFull || ResidentBytes() > kMemoryStopBytes;
            }
            // The time limit is the clock's: at it the solve ends as though
            // its own limit had, keeping the best plan found.
            halt = solve_->stopped || solve_->abandoned || solve_->memoryFull ||
                   SolveClock::now() >= solve_->deadline;
        }
        if (!halt) return noAction;
        // Between nodes the solver stops when told so; in its root cuts
        // and heuristics it looks for the flag its own Ctrl+C sets.
        model_->sayEventHappened();
        const bool stops = which == node || which == treeStatus || which == solution ||
                           which == heuristicSolution;
        return stops ? stop : noAction;
    }

    CbcEventHandler* clone() const override { return new Watcher(*this); }

private:
    void Keep(const SolveProgress& p) {
        solve_->bound = std::max(solve_->bound, p.bound);
        if (!p.best || (solve_->best && *p.best >= solve_->bestCost)) return;
        if (model_->getNumCols() != solve_->model.Columns()) return;
        const double* values = model_->bestSolution();
        solve_->best.emplace(values, values + solve_->model.Columns());
        solve_->bestCost = *p.best;
    }

    Solve* solve_;
    SolveClock::time_point nextLook_{};
};

// CBC's command-line driver keeps process-wide state (how it reads its
// arguments, its Ctrl+C handler) that two solves at once would share: one
// solve at a time goes through it, the others waiting their turn here.
std::timed_mutex& DriverLock() {
    static std::timed_mutex lock;
    return lock;
}

// One run of CBC's branch and cut on the solve's program, from `start`
// when given, until the solve's deadline. The caller holds the driver's
// lock.
SolverOutcome RunCbc(Solve& solve, const std::vector<double>* start) {
    const ShiftModel& model = solve.model;
    OsiClpSolverInterface solver;
    std::vector<CoinBigIndex> columnStart(model.columnStart.begin(), model.columnStart.end());
    solver.loadProblem(model.Columns(), model.Rows(), columnStart.data(), model.rowIndex.data(),
                       model.value.data(), nullptr, model.upper.empty() ? nullptr : model.upper.data(),
                        model.cost.data(),
                       model.rowLower.data(), model.rowUpper.data());
    for (int c = 0; c < model.IntegerColumns(); ++c) solver.setInteger(c);
    solver.messageHandler()->setLogLevel(0);
    CbcModel cbc(solver);
    CbcSolverUsefulData data;
    CbcMain0(cbc, data);
    cbc.setLogLevel(0);
    cbc.messageHandler()->setLogLevel(0);
    if (start) {
        // The solver works out the continuous columns itself. It finds
        // the columns of a start by name.
        std::vector<std::string> names;
        std::vector<const char*> pointers;
        names.reserve(static_cast<std::size_t>(model.IntegerColumns()));
        for (int c = 0; c < model.IntegerColumns(); ++c) names.push_back(solver.getColName(c));
        for (const std::string& n : names) pointers.push_back(n.c_str());
        cbc.setMIPStart(model.IntegerColumns(), pointers.data(), start->data());
    }
    Watcher watcher(&solve);
    cbc.passInEventHandler(&watcher);
    // Seconds of the clock, not of the processor. Clp's primal
    // steepest-edge pricing stops the process on an assertion with some of
    // these programs (a week of quarter-hours with lunches did); Dantzig's
    // pricing has no such check and solves them as well. Preprocessing is
    // left out: its post-processing crashed when the limit stopped it early.
    const double left = std::chrono::duration<double>(solve.deadline - SolveClock::now()).count();
    const std::string limit = std::to_string(std::max(left, 0.01));
    const char* arguments[] = {"corvane",  "-log",     "0",          "-timeMode", "elapsed",
                               "-seconds", limit.c_str(), "-primalP", "dantzig",  "-preprocess",
                               "off",      "-solve",  "-quit"};
    CbcMain1(static_cast<int>(std::size(arguments)), arguments, cbc, nullptr, data);
    SolverOutcome run;
    run.infeasible = cbc.isProvenInfeasible();
    if (cbc.bestSolution() != nullptr) {
        const double* values = cbc.bestSolution();
        run.values.emplace(values, values + model.Columns());
        run.objective = cbc.getObjValue();
        run.optimal = cbc.isProvenOptimal();
    }
    run.bound = cbc.getBestPossibleObjValue();
    return run;
}

// The solve, on its own thread: first the dives, which need no lock and
// give a good plan soon, then branch and cut from the best of them.
void Run(const std::shared_ptr<Solve>& solve) {
    const ShiftModel& model = solve->model;
    SolverOutcome out;
    // The watch hears of the dives' plans as of the solver's.
    const auto goOn = [&solve] {
        const std::lock_guard<std::mutex> hold(solve->mutex);
        if (!solve->stopped && !solve->abandoned && solve->watch) {
            SolveProgress p;
            if (solve->best) p.best = solve->bestCost;
            p.bound = solve->bound;
            solve->stopped = !solve->watch(p);
        }
        return !solve->stopped && !solve->abandoned && SolveClock::now() < solve->deadline;
    };
    const auto found = [&solve](const std::vector<double>& values, double cost) {
        const std::lock_guard<std::mutex> hold(solve->mutex);
        if (solve->best && cost >= solve->bestCost) return;
        solve->best = values;
        solve->bestCost = cost;
    };
    if (solve->start) found(*solve->start, model.CostOf(*solve->start));
    const auto dive = DiveSolution(
        model, std::chrono::duration<double>(solve->deadline - SolveClock::now()).count(), goOn,
        found, solve->start ? &*solve->start : nullptr);
    std::optional<std::vector<double>> start;
    {
        const std::lock_guard<std::mutex> hold(solve->mutex);
        if (dive) solve->bound = std::max(solve->bound, dive->bound);
        start = solve->best;
    }
    std::unique_lock<std::timed_mutex> turn(DriverLock(), std::defer_lock);
    bool waited = false;
    // Waiting for another solve to finish counts against this one's time,
    // and a cancel reaches it while it waits.
    while (!turn.try_lock_for(std::chrono::milliseconds(50))) {
        if (!goOn()) {
            waited = true;
            break;
        }
    }
    const bool branch =
        model.IntegerColumns() <= kBranchColumns && model.value.size() <= kBranchEntries;
    if (!branch) {
        const std::lock_guard<std::mutex> hold(solve->mutex);
        solve->memoryFull = true;
    }
    if (branch && !waited && goOn()) {
        out = RunCbc(*solve, start ? &*start : nullptr);
    }
    {
        const std::lock_guard<std::mutex> hold(solve->mutex);
        // A dive's plan the branch and cut did not better (or had no time
        // for), and the relaxation's bound where it had none of its own.
        if (solve->best && (!out.values || solve->bestCost < out.objective - 1e-9)) {
            out.values = solve->best;
            out.objective = solve->bestCost;
            out.optimal = false;
        }
        out.bound = std::max(out.bound, solve->bound);
        if (out.values) out.infeasible = false;
        out.stopped = solve->stopped;
        out.memoryFull = solve->memoryFull;
        out.optimal = out.optimal && !out.stopped && !out.memoryFull;
        solve->out = std::move(out);
        solve->done = true;
    }
    solve->ended.notify_all();
}

}  // namespace

SolverOutcome SolveModel(const ShiftModel& model, SolveClock::time_point deadline,
                         const std::vector<double>* start, const SolveWatch& watch) {
    const auto began = SolveClock::now();
    JoinEnded(false);
    const auto solve = std::make_shared<Solve>(model, start, watch, deadline);
    // The solver looks at the clock only between its steps, some of which
    // (a large first linear program) outlast any limit: on a thread of its
    // own it cannot keep the caller past the deadline.
    auto ended = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([solve, ended] {
        Run(solve);
        *ended = true;
    });
    {
        const std::lock_guard<std::mutex> hold(threadsMutex);
        threads.push_back({std::move(thread), std::move(ended)});
    }
    std::unique_lock<std::mutex> hold(solve->mutex);
    solve->ended.wait_until(hold, deadline + kGrace, [&] { return solve->done; });
    SolverOutcome out;
    if (solve->done) {
        out = solve->out;
    } else {
        solve->abandoned = true;
        out.values = solve->best;
        out.objective = solve->bestCost;
        out.bound = solve->bound;
        out.stopped = solve->stopped;
        out.memoryFull = solve->memoryFull;
    }
    out.seconds = std::chrono::duration<double>(SolveClock::now() - began).count();
    return out;
}

void FinishSolves() { JoinEnded(true); }

}  // namespace corvane::shifts
