#include "shifts/lp_dive.h"

#include "shifts/gap.h"

#include <coin/ClpSimplex.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace corvane::shifts {

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kWhole = 1e-6;  // a value this near a whole number is one
constexpr double kKept = 1e-5;   // a row this near its bound keeps it

// Of the fractional counts left, the share each step of the first dive
// rounds, and of the dives that follow, on one day. Measured on a
// round-the-clock week of quarter-hours: coarser first steps save seconds
// for the days after, where finer steps pay.
constexpr double kFirstShare = 1.0 / 4;
constexpr double kLaterShare = 1.0 / 8;
// Of the time left after the first dive, the share the day-by-day dives
// may take; the rest is branch and cut's, to prove or improve.
constexpr double kImproveShare = 1.0;
// A solution within this per cent of the relaxation needs no more dives.
constexpr double kCloseEnough = 0.01;

double Fraction(double x) { return x - std::floor(x); }
bool IsWhole(double x) { return std::min(Fraction(x), 1 - Fraction(x)) <= kWhole; }

// One rounding decision: a column's new bound.
struct Rounding {
    int column;
    bool up;     // raise the lower bound, else lower the upper
    double to;
    double was;  // its value before
};

// The relaxation with its bounds as the dive moves them.
class Relaxation {
public:
    Relaxation(const ShiftModel& model, Clock::time_point end)
        : model_(model), end_(end), onPhones_(static_cast<std::size_t>(model.IntegerColumns())) {
        for (const GoalColumns& g : model.goal) onPhones_[static_cast<std::size_t>(g.agents)] = true;
        lp_.setLogLevel(0);
        std::vector<CoinBigIndex> columnStart(model.columnStart.begin(), model.columnStart.end());
        lp_.loadProblem(model.Columns(), model.Rows(), columnStart.data(), model.rowIndex.data(),
                        model.value.data(), nullptr, model.upper.empty() ? nullptr : model.upper.data(),
                        model.cost.data(),
                        model.rowLower.data(), model.rowUpper.data());
    }

    bool Solve() {
        lp_.setMaximumWallSeconds(
            std::max(0.01, std::chrono::duration<double>(end_ - Clock::now()).count()));
        // The dual simplex asserts that no column or row is nonbasic between
        // its bounds, which a solve stopped by the clock, or bounds put back
        // after one, can leave; such a one starts again from a bound, and
        // the solve from a fresh factorization.
        const bool moved = NonbasicToBounds();
        lp_.dual(0, solved_ && !moved ? 7 : 1);
        // After a failed solve its work areas are not to be trusted: the
        // next starts afresh from the basis.
        solved_ = lp_.isProvenOptimal();
        return lp_.isProvenOptimal();
    }
    const double* Values() const { return lp_.primalColumnSolution(); }

    bool NonbasicToBounds() {
        bool moved = false;
        const auto fix = [&](ClpSimplex::Status status, double lower) {
            if (status != ClpSimplex::superBasic && status != ClpSimplex::isFree) return status;
            moved = true;
            return lower > -COIN_DBL_MAX ? ClpSimplex::atLowerBound : ClpSimplex::atUpperBound;
        };
        for (int c = 0; c < lp_.numberColumns(); ++c)
            lp_.setColumnStatus(c, fix(lp_.getColumnStatus(c), lp_.columnLower()[c]));
        for (int r = 0; r < lp_.numberRows(); ++r)
            lp_.setRowStatus(r, fix(lp_.getRowStatus(r), lp_.rowLower()[r]));
        return moved;
    }
    double Objective() const { return lp_.objectiveValue(); }
    void Bound(int column, double lower, double upper) {
        lp_.setColumnLower(column, lower);
        lp_.setColumnUpper(column, upper);
    }

    // Rounds the integer columns until all are whole: each step those
    // within a tenth of a whole number and at least an eighth of the rest,
    // nearest first, each to its nearest. A step the relaxation cannot
    // follow is undone and replaced by rounding its first count up (which
    // more agents elsewhere can always balance). Whether it got there.
    bool Round(const std::function<bool()>& goOn, double share) {
        const int integers = model_.IntegerColumns();
        std::vector<Rounding> batch;
        std::vector<std::pair<double, int>> fractional;
        while (true) {
            if (Clock::now() >= end_ || (goOn && !goOn())) return false;
            const double* x = Values();
            fractional.clear();
            for (int c = 0; c < integers; ++c)
                if (!IsWhole(x[c])) {
                    const double f = Fraction(x[c]);
                    fractional.emplace_back(std::min(f, 1 - f), c);
                }
            if (fractional.empty()) return true;
            std::sort(fractional.begin(), fractional.end());
            const std::size_t take = std::max<std::size_t>(1, static_cast<std::size_t>(fractional.size() * share));
            batch.clear();
            for (std::size_t i = 0; i < fractional.size(); ++i) {
                if (i >= take && fractional[i].first > 0.1) break;
                const int c = fractional[i].second;
                // Agents on the phones are rounded down, which more on
                // duty elsewhere can always make good; others to the nearest.
                const bool up = !onPhones_[static_cast<std::size_t>(c)] && Fraction(x[c]) >= 0.5;
                batch.push_back({c, up, up ? std::ceil(x[c]) : std::floor(x[c]), x[c]});
            }
            // A step the relaxation cannot follow is undone and tried again
            // with its first half, down to one count, which is then rounded
            // the way more agents elsewhere can always balance.
            std::vector<std::pair<double, double>> before;
            bool followed = false;
            for (std::size_t size = batch.size(); size > 0 && !followed; size /= 2) {
                before.clear();
                for (std::size_t i = 0; i < size; ++i) {
                    const Rounding& r = batch[i];
                    before.emplace_back(lp_.columnLower()[r.column], lp_.columnUpper()[r.column]);
                    if (r.up) lp_.setColumnLower(r.column, r.to);
                    else lp_.setColumnUpper(r.column, r.to);
                }
                followed = Solve();
                if (followed) break;
                for (std::size_t i = 0; i < size; ++i)
                    Bound(batch[i].column, before[i].first, before[i].second);
                if (Clock::now() >= end_) return false;
            }
            if (followed) continue;
            // The first count alone: the way more agents elsewhere can
            // balance, else (their bounds set by earlier steps) the other.
            const Rounding& first = batch.front();
            const double lower = lp_.columnLower()[first.column];
            const double upper = lp_.columnUpper()[first.column];
            const bool down = onPhones_[static_cast<std::size_t>(first.column)];
            for (int attempt = 0; attempt < 2; ++attempt) {
                if (down == (attempt == 0)) Bound(first.column, lower, std::floor(first.was));
                else Bound(first.column, std::ceil(first.was), upper);
                if (Solve()) break;
                Bound(first.column, lower, upper);
                if (attempt == 1) return false;
            }
        }
    }

    // The whole-number solution the relaxation holds, if it keeps every
    // row once its counts are rounded (checked here, not taken on trust
    // from the simplex method's tolerances).
    std::optional<std::vector<double>> Whole() const {
        std::vector<double> values(Values(), Values() + model_.Columns());
        for (int c = 0; c < model_.IntegerColumns(); ++c)
            values[static_cast<std::size_t>(c)] = std::round(values[static_cast<std::size_t>(c)]);
        std::vector<double> activity(static_cast<std::size_t>(model_.Rows()));
        for (int c = 0; c < model_.Columns(); ++c) {
            const double v = values[static_cast<std::size_t>(c)];
            if (v < -kWhole) return std::nullopt;
            for (int k = model_.columnStart[static_cast<std::size_t>(c)];
                 k < model_.columnStart[static_cast<std::size_t>(c) + 1]; ++k)
                activity[static_cast<std::size_t>(model_.rowIndex[static_cast<std::size_t>(k)])] +=
                    model_.value[static_cast<std::size_t>(k)] * v;
        }
        for (std::size_t r = 0; r < activity.size(); ++r)
            if (activity[r] < model_.rowLower[r] - kKept || activity[r] > model_.rowUpper[r] + kKept)
                return std::nullopt;
        return values;
    }

private:
    const ShiftModel& model_;
    const Clock::time_point end_;
    std::vector<bool> onPhones_;  // per integer column: a goal's agents on the phones
    ClpSimplex lp_;
    bool solved_ = false;  // its work areas kept for the next solve
};

}  // namespace

std::optional<std::vector<double>> RelaxedSolution(const ShiftModel& model, double seconds) {
    Relaxation lp(model, Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                           std::chrono::duration<double>(seconds)));
    if (!lp.Solve()) return std::nullopt;
    return std::vector<double>(lp.Values(), lp.Values() + model.Columns());
}

std::optional<Dive> DiveSolution(const ShiftModel& model, double seconds,
                                 const std::function<bool()>& goOn, const DiveFound& found,
                                 const std::vector<double>* incumbent) {
    const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                        std::chrono::duration<double>(seconds));
    Relaxation lp(model, end);
    if (!lp.Solve()) return std::nullopt;
    Dive dive;
    dive.bound = lp.Objective();
    if (lp.Round(goOn, kFirstShare)) dive.whole = lp.Whole();
    // The days are rounded anew from the better of the dive's solution and
    // the one given.
    if (incumbent && (!dive.whole || model.CostOf(*incumbent) < model.CostOf(*dive.whole)))
        dive.whole = *incumbent;
    if (!dive.whole) return dive;
    double cost = model.CostOf(*dive.whole);
    if (found) found(*dive.whole, cost);

    // Then day by day: one day's columns free again, all others held at
    // the best solution, rounded anew; kept when cheaper. Until the
    // solution is as good as proven, a round of all days brings nothing,
    // or the share of the time left is spent.
    const auto stop = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                         (end - Clock::now()) * kImproveShare);
    int days = 0;
    for (const StartGroup& g : model.groups) days = std::max(days, g.day + 1);
    for (int day = 0, unchanged = 0; unchanged < days && Clock::now() < stop; day = (day + 1) % days) {
        if (GapPercent(cost, dive.bound) <= kCloseEnough) break;
        for (const StartGroup& g : model.groups) {
            const auto set = [&](int c) {
                const double z = (*dive.whole)[static_cast<std::size_t>(c)];
                if (g.day == day) lp.Bound(c, 0, COIN_DBL_MAX);
                else lp.Bound(c, z, z);
            };
            for (int i = 0; i < g.starts; ++i) set(g.firstStart + i);
            for (int l = 0; l < g.lunches; ++l) set(g.firstLunch + l);
        }
        for (const GoalColumns& g : model.goal) {
            const double z = (*dive.whole)[static_cast<std::size_t>(g.agents)];
            if (g.day == day) lp.Bound(g.agents, 0, COIN_DBL_MAX);
            else lp.Bound(g.agents, z, z);
        }
        ++unchanged;
        if (!lp.Solve() || !lp.Round(goOn, kLaterShare)) continue;
        std::optional<std::vector<double>> whole = lp.Whole();
        if (!whole) continue;
        if (const double c = model.CostOf(*whole); c < cost - 1e-9) {
            cost = c;
            dive.whole = std::move(whole);
            if (found) found(*dive.whole, cost);
            unchanged = 0;
        }
    }
    return dive;
}

}  // namespace corvane::shifts
