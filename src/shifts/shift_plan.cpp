#include "shifts/shift_plan.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <sstream>
#include <tuple>

#include "calc/number_format.h"
#include "input/csv_records.h"
#include "input/label_time.h"
#include "input/text_check.h"
#include "shifts/cbc_solve.h"
#include "plan/shrinkage.h"
#include "shifts/lp_dive.h"
#include "shifts/placement.h"
#include "shifts/service_curve.h"

namespace corvane::shifts {

namespace {

using input::PlanFault;

// Past this many starts and lunches to choose, the first linear program
// alone outlasts any sensible limit (a round-the-clock week of quarter-hours
// with 40 shift types that start at any time, about 50,000 of them, takes
// seconds; twice that, over 20 s); past this many entries, each copy of
// the program the solver keeps takes hundreds of megabytes.
constexpr double kMaxColumns = 60000;
constexpr double kMaxEntries = 12e6;
constexpr std::size_t kTypesNamed = 3;

// "268,800", by the program's own number patterns.
std::string Grouped(double n) { return FormatNumber(n, "#,##0").Value(); }

// Why a program is too large, and which shift types to narrow: those
// with the most starts and lunches.
PlanFault TooLarge(const ShiftGrid& grid, const ShiftFile& file, const ModelSize& size) {
    std::vector<std::size_t> order(file.types.size());
    for (std::size_t t = 0; t < order.size(); ++t) order[t] = t;
    std::stable_sort(order.begin(), order.end(), [&size](std::size_t a, std::size_t b) {
        return size.typeColumns[a] > size.typeColumns[b];
    });
    std::string named;
    const int step = grid.intervalMinutes;
    for (std::size_t i = 0; i < std::min(kTypesNamed, order.size()); ++i) {
        const ShiftType& s = file.types[order[i]];
        if (size.typeColumns[order[i]] == 0) break;
        named += (i ? ", " : "") + input::Printable(s.name) + " (" +
                 std::to_string((s.latest - s.earliest) / step + 1) + (i ? ")" : " starts a day)");
    }
    const std::string what =
        size.columns > kMaxColumns
            ? Grouped(size.columns) + " starts and lunches to choose, more than a solve can "
                                      "finish (at most " + Grouped(kMaxColumns) + ")"
            : Grouped(size.entries) + " entries in its program, more than memory holds (at most " +
                  Grouped(kMaxEntries) + ")";
    return {PlanFault::Kind::BadInput,
            file.name + ": " + std::to_string(grid.days) + (grid.days == 1 ? " day" : " days") +
                " of " + std::to_string(file.types.size()) +
                (file.types.size() == 1 ? " shift type give " : " shift types give ") + what +
                ": narrow the start windows (earliest to latest) of " + named +
                ", or plan fewer days at a time"};
}

std::string Agents(long n) { return std::to_string(n) + (n == 1 ? " agent" : " agents"); }

// The interval in a slot, as messages name it.
struct Namer {
    const std::vector<Demand>& demand;
    const std::string& forecastName;
    std::vector<int> at;  // per slot, its demand; -1 for none

    Namer(const std::vector<Demand>& d, const std::string& name, const ShiftGrid& grid)
        : demand(d), forecastName(name), at(static_cast<std::size_t>(grid.Slots()), -1) {
        for (std::size_t i = 0; i < d.size(); ++i)
            at[static_cast<std::size_t>(grid.slotOfDemand[i])] = static_cast<int>(i);
    }
    std::string operator()(int slot) const {
        const Demand& d = demand[static_cast<std::size_t>(at[static_cast<std::size_t>(slot)])];
        return input::Where(forecastName, d.line) + "'" + input::Printable(d.label) + "' needs " +
               Agents(d.agents);
    }
};

// "10", "0.5": as the option was written, near enough.
std::string SecondsText(double seconds) {
    std::ostringstream out;
    out << seconds;
    return out.str();
}

PlanFault Cancelled() { return {PlanFault::Kind::Cancelled, "the shift plan was cancelled"}; }

// The best plan found for `model`: the solver's, or the quick plan it
// starts from when the time limit stops it before it has one of its own.
struct Found {
    std::optional<std::vector<Placement>> placements;
    double cost = 0;         // the model's, shortfalls included
    bool optimal = false;    // proven by the solver
    SolverOutcome solver;
};

Found Solve(const ShiftGrid& grid, const ShiftFile& file, const ShiftModel& model,
            bool allowShort, const ShiftOptions& options, SolveClock::time_point deadline,
            const std::vector<Placement>* seed = nullptr) {
    auto quick = QuickPlacements(grid, file, model, allowShort);
    std::vector<double> start;
    if (quick) start = ColumnValues(grid, file, model, *quick);
    // A seed (a plan of every interval, for a goal over days) when cheaper.
    if (seed)
        if (std::vector<double> seeded = ColumnValues(grid, file, model, *seed);
            !quick || model.CostOf(seeded) < model.CostOf(start)) {
            quick = *seed;
            start = std::move(seeded);
        }
    Found found;
    found.solver = SolveModel(model, deadline, quick ? &start : nullptr, options.watch);
    if (found.solver.values) {
        found.placements = PlacementsOf(file, grid.intervalMinutes, model, *found.solver.values);
        found.cost = found.solver.objective;
        found.optimal = found.placements && found.solver.optimal;
    }
    if (!found.placements && quick) {
        found.placements = quick;
        found.cost = model.CostOf(start);
    }
    return found;
}

// The most agents the `max` limits let work in each slot, each shift type
// and day counted once for all its starts that can work the slot; -1 where
// some shift without a limit can.
std::vector<long> MostOnDuty(const ShiftGrid& grid, const ShiftFile& file,
                             const ShiftModel& model) {
    std::vector<long> most(static_cast<std::size_t>(grid.Slots()), 0);
    std::vector<int> counted(most.size(), -1);  // the group last counted in a slot
    for (std::size_t g = 0; g < model.groups.size(); ++g) {
        const StartGroup& group = model.groups[g];
        const ShiftType& type = file.types[static_cast<std::size_t>(group.type)];
        const int length = type.length / grid.intervalMinutes;
        for (int start = 0; start < group.starts; ++start)
            for (int offset = 0; offset < length; ++offset) {
                if (!CanWork(type, grid.intervalMinutes, offset)) continue;
                const int slot = grid.Wrap(group.firstSlot + start + offset);
                if (slot < 0) continue;
                const auto at = static_cast<std::size_t>(slot);
                if (counted[at] == static_cast<int>(g) || most[at] < 0) continue;
                counted[at] = static_cast<int>(g);
                most[at] = type.max ? most[at] + *type.max : -1;
            }
    }
    return most;
}

// Why a plan within the `max` limits leaves an interval short: an interval
// that needs more than the limits let work in it, or else, where only the
// intervals together are out of reach, where a plan that may fall short
// does.
PlanFault ShortByLimits(const ShiftGrid& grid, const ShiftFile& file, const Namer& name,
                        const ShiftOptions& options, SolveClock::time_point deadline) {
    const ShiftModel model = BuildModel(grid, file, true);
    const std::vector<long> most = MostOnDuty(grid, file, model);
    for (int t = 0; t < grid.Slots(); ++t) {
        const auto at = static_cast<std::size_t>(t);
        if (most[at] >= 0 && most[at] < grid.need[at])
            return {PlanFault::Kind::ShiftsFallShort,
                    name(t) + ", but the 'max' limits in " + file.name + " let only " +
                        std::to_string(most[at]) + " work then"};
    }
    const Found found = Solve(grid, file, model, true, options, deadline);
    if (found.solver.stopped) return Cancelled();
    if (!found.placements)
        return {PlanFault::Kind::ShiftsFallShort,
                "the 'max' limits in " + file.name + " leave the plan short"};
    const std::vector<long> onDuty = OnDuty(grid, file, model, *found.placements);
    for (int t = 0; t < grid.Slots(); ++t) {
        const auto at = static_cast<std::size_t>(t);
        if (onDuty[at] < grid.need[at])
            return {PlanFault::Kind::ShiftsFallShort,
                    name(t) + ", but the 'max' limits in " + file.name +
                        " cannot cover it together with the other intervals (the best plan "
                        "within them puts " +
                        std::to_string(onDuty[at]) + " on duty then)"};
    }
    return {PlanFault::Kind::ShiftsFallShort,
            "the 'max' limits in " + file.name + " leave the plan short"};
}

plan::ShiftSummary Summary(const ShiftGrid& grid, const ShiftFile& file, const ShiftModel& model,
                           const std::vector<Placement>& placements) {
    const int step = grid.intervalMinutes;
    // Day, start, shift, lunch: the order the rows are written in.
    std::map<std::tuple<int, int, int, int>, long> rows;
    plan::ShiftSummary summary;
    for (const Placement& p : placements) {
        const StartGroup& g = model.groups[static_cast<std::size_t>(p.group)];
        const ShiftType& s = file.types[static_cast<std::size_t>(g.type)];
        const int start = s.earliest + p.start * step;
        const int lunch = p.lunch < 0 ? -1 : (s.earliest + p.lunch * step) % (24 * 60);
        rows[{g.day, start, g.type, lunch}] += p.agents;
        summary.paidHours += static_cast<double>(p.agents) * s.PaidMinutes() / 60.0;
        summary.cost += static_cast<double>(p.agents) * s.cost * s.PaidMinutes() / 60.0;
    }
    for (const auto& [key, agents] : rows) {
        const auto& [day, start, type, lunch] = key;
        plan::ShiftRow row;
        if (grid.firstDay) row.date = input::DateText(*grid.firstDay + day);
        const ShiftType& shift = file.types[static_cast<std::size_t>(type)];
        row.shift = shift.name;
        row.start = start;
        row.end = start + shift.length;
        if (lunch >= 0) {
            row.lunch = lunch;
            row.lunchLength = shift.lunch;
        }
        row.agents = agents;
        summary.rows.push_back(std::move(row));
    }
    return summary;
}

// How the relaxation's agents on the phones are rounded for the targets
// of a goal's starting plans: the nearest whole number, then a little more
// or less.
constexpr double kGoalRoundings[] = {0.5, 0.3};
// Plans of every interval made per rounding, each to targets lowered by
// the surplus the last one had.
constexpr int kGoalRounds = 6;

double ToSeconds(SolveClock::duration d) { return std::chrono::duration<double>(d).count(); }

// Agents on duty per slot that reach a goal: each interval's agents on the
// phones as the relaxation has them (rounded), or its curve's low without
// one; then, while a period falls short, one more where it adds the most
// answered calls. In whole agents on duty by the shrinkage rule.
std::vector<long> GoalNeeds(const ShiftGrid& grid, const ShiftModel& model, const ServiceGoal& goal,
                            const plan::Decimal& shrinkage,
                            const std::optional<std::vector<double>>& relaxed, double up,
                            const std::vector<double>& target) {
    std::vector<long> phones(goal.intervals.size());
    std::vector<double> answered(static_cast<std::size_t>(goal.periods));
    std::vector<double> calls(answered.size());
    for (std::size_t i = 0; i < goal.intervals.size(); ++i) {
        const GoalSlot& g = goal.intervals[i];
        const long most = g.curve.low + static_cast<long>(g.curve.level.size()) - 1;
        long n = g.curve.low;
        if (relaxed)
            n = std::clamp(static_cast<long>(std::floor(
                               (*relaxed)[static_cast<std::size_t>(model.goal[i].agents)] + up)),
                           g.curve.low, most);
        phones[i] = n;
        answered[static_cast<std::size_t>(g.period)] +=
            g.calls * g.curve.level[static_cast<std::size_t>(n - g.curve.low)];
        calls[static_cast<std::size_t>(g.period)] += g.calls;
    }
    std::vector<std::vector<std::size_t>> ofPeriod(answered.size());
    for (std::size_t i = 0; i < goal.intervals.size(); ++i)
        ofPeriod[static_cast<std::size_t>(goal.intervals[i].period)].push_back(i);
    for (std::size_t p = 0; p < ofPeriod.size(); ++p) {
        while (answered[p] < target[p] * calls[p]) {
            std::size_t best = goal.intervals.size();
            double gain = 0;
            for (const std::size_t i : ofPeriod[p]) {
                const GoalSlot& g = goal.intervals[i];
                const auto k = static_cast<std::size_t>(phones[i] - g.curve.low);
                if (k + 1 >= g.curve.level.size()) continue;
                const double more = g.calls * (g.curve.level[k + 1] - g.curve.level[k]);
                if (more > gain) {
                    gain = more;
                    best = i;
                }
            }
            if (best == goal.intervals.size()) break;  // the period cannot reach it
            ++phones[best];
            answered[p] += gain;
        }
        // Then, while the period has more than it needs, one fewer where
        // that costs the fewest answered calls.
        while (true) {
            std::size_t best = goal.intervals.size();
            double loss = 0;
            for (const std::size_t i : ofPeriod[p]) {
                const GoalSlot& g = goal.intervals[i];
                const auto k = static_cast<std::size_t>(phones[i] - g.curve.low);
                if (k == 0) continue;
                const double less = g.calls * (g.curve.level[k] - g.curve.level[k - 1]);
                if (answered[p] - less >= target[p] * calls[p] &&
                    (best == goal.intervals.size() || less < loss)) {
                    loss = less;
                    best = i;
                }
            }
            if (best == goal.intervals.size()) break;
            --phones[best];
            answered[p] -= loss;
        }
    }
    std::vector<long> need(static_cast<std::size_t>(grid.Slots()), 0);
    for (std::size_t i = 0; i < goal.intervals.size(); ++i)
        need[static_cast<std::size_t>(goal.intervals[i].slot)] =
            plan::ScheduledAgents(phones[i], shrinkage);
    return need;
}

// What a plan's agents on duty reach per period, as the goal's curves
// have it: the service level of each period's calls (fractions), or none
// when an interval falls below its curve's low (its floor).
std::optional<std::vector<double>> PeriodLevels(const ServiceGoal& goal,
                                                const std::vector<long>& onDuty,
                                                const plan::Decimal& shrinkage) {
    std::vector<double> answered(static_cast<std::size_t>(goal.periods));
    std::vector<double> calls(answered.size());
    for (const GoalSlot& g : goal.intervals) {
        const long phones =
            plan::ProductiveAgents(onDuty[static_cast<std::size_t>(g.slot)], shrinkage);
        if (phones < g.curve.low) return std::nullopt;
        const auto k = std::min(static_cast<std::size_t>(phones - g.curve.low), g.curve.level.size() - 1);
        answered[static_cast<std::size_t>(g.period)] += g.calls * g.curve.level[k];
        calls[static_cast<std::size_t>(g.period)] += g.calls;
    }
    for (std::size_t p = 0; p < answered.size(); ++p)
        answered[p] = calls[p] > 0 ? answered[p] / calls[p] : 1;
    return answered;
}

// Whether agents on duty reach the goal in every period, counted exactly
// (whole agents on the phones by the shrinkage rule, the curves' levels).
bool Reaches(const ServiceGoal& goal, const std::vector<long>& onDuty,
             const plan::Decimal& shrinkage) {
    const auto levels = PeriodLevels(goal, onDuty, shrinkage);
    return levels && std::all_of(levels->begin(), levels->end(),
                                 [&goal](double l) { return l >= goal.target - 1e-12; });
}

// The goal over days or weeks: each interval with calls, its curve from
// its floor, and the day or calendar week (from Monday) it counts towards.
Result<ServiceGoal, PlanFault> GoalOf(const std::vector<Demand>& demand, const ShiftGrid& grid,
                                      const std::string& forecastName,
                                      const ShiftOptions& options) {
    ServiceGoal goal;
    goal.onPhones = 1 - options.plan.shrinkage.ToDouble() / 100;
    goal.target = options.plan.slPercent.ToDouble() / 100;
    const int monday = grid.firstDay ? input::Weekday(*grid.firstDay) : 0;
    for (std::size_t i = 0; i < demand.size(); ++i) {
        const Demand& d = demand[i];
        if (!(d.calls > 0)) continue;
        auto curve = CurveOf(d, options.plan, options.intervalFloor);
        if (!curve)
            return Fail(PlanFault{PlanFault::Kind::ShiftsFallShort,
                                  input::Where(forecastName, d.line) + "'" + input::Printable(d.label) +
                                      "': no count of agents meets its limits, so no shifts can "
                                      "reach a service level over the day with it"});
        GoalSlot g;
        g.slot = grid.slotOfDemand[i];
        g.calls = d.calls;
        g.curve = std::move(*curve);
        const int day = g.slot / grid.slotsPerDay;
        g.period = options.goal == ShiftGoal::Week ? (day + monday) / 7 : day;
        for (std::size_t k = 0; k < g.curve.level.size(); ++k)
            g.onDuty.push_back(plan::ScheduledAgents(g.curve.low + static_cast<long>(k),
                                                     options.plan.shrinkage));
        goal.periods = std::max(goal.periods, g.period + 1);
        goal.intervals.push_back(std::move(g));
    }
    return goal;
}

// Plans of every interval for a goal over days to start from: the plain
// one (which reaches any such goal, so the goal never costs more), then
// plans to targets the relaxation's agents on the phones suggest. The
// cheapest that reaches the goal, or none.
Result<std::optional<std::vector<Placement>>, PlanFault> GoalSeed(
    const ShiftGrid& grid, const ShiftFile& file, const ShiftModel& model, const ServiceGoal& goal,
    const ShiftOptions& options, SolveClock::time_point began, SolveClock::time_point deadline) {
    std::optional<std::vector<Placement>> seed;
    // Half the time for the plan of every interval (it ends as soon as it
    // is proven; a large program needs its first dive finished, the goal
    // over days then costs no more than this plan), the targeted ones up to
    // four fifths, the rest for the goal's own solve.
    const auto seedEnd = began + (deadline - began) * 4 / 5;
    double seedCost = 0;
    {
        const ShiftModel everyInterval = BuildModel(grid, file, false);
        const Found first =
            Solve(grid, file, everyInterval, false, options, began + (deadline - began) / 2);
        if (first.solver.stopped) return Fail(Cancelled());
        if (first.placements &&
            Reaches(goal, OnDuty(grid, file, model, *first.placements), options.plan.shrinkage)) {
            seed = first.placements;
            seedCost = model.CostOf(ColumnValues(grid, file, model, *seed));
        }
    }
    const auto relaxed = RelaxedSolution(model, ToSeconds(deadline - began) / 6);
    // Each rounding of the relaxation gives targets and a plan of every
    // interval to them; the shifts' own surplus lifts a period above
    // its target, so its target is lowered by that much and the plan
    // made again, as long as it still reaches the goal.
    for (const double up : kGoalRoundings) {
        std::vector<double> target(static_cast<std::size_t>(goal.periods), goal.target);
        std::vector<double> good = target;
        std::vector<bool> settled(target.size(), false);
        for (int round = 0; round < kGoalRounds && SolveClock::now() < seedEnd; ++round) {
            const auto now = SolveClock::now();
            ShiftGrid targeted = grid;
            targeted.need =
                GoalNeeds(grid, model, goal, options.plan.shrinkage, relaxed, up, target);
            const ShiftModel everyInterval = BuildModel(targeted, file, false);
            const Found first =
                Solve(targeted, file, everyInterval, false, options, now + (seedEnd - now) / 4);
            if (first.solver.stopped) return Fail(Cancelled());
            if (!first.placements) break;
            const auto levels = PeriodLevels(
                goal, OnDuty(grid, file, model, *first.placements), options.plan.shrinkage);
            bool reached = levels.has_value();
            for (int p = 0; reached && p < goal.periods; ++p)
                reached = (*levels)[static_cast<std::size_t>(p)] >= goal.target - 1e-12;
            if (reached) {
                const double cost =
                    model.CostOf(ColumnValues(grid, file, model, *first.placements));
                if (!seed || cost < seedCost) {
                    seed = first.placements;
                    seedCost = cost;
                }
            }
            if (!levels) break;
            // A period above the goal has its target lowered by its
            // surplus; one short of it goes back to the last target
            // that reached the goal, and stays there.
            bool changed = false;
            for (int p = 0; p < goal.periods; ++p) {
                const auto at = static_cast<std::size_t>(p);
                const double excess = (*levels)[at] - goal.target;
                if (excess < 0) {
                    target[at] = good[at];
                    settled[at] = true;
                } else if (!settled[at]) {
                    good[at] = target[at];
                    changed = changed || excess > 1e-6;
                    target[at] -= excess;
                }
            }
            if (!changed) break;
        }
        if (!relaxed) break;
    }
    return seed;
}

}  // namespace

std::optional<PlanFault> SizeFault(const ShiftGrid& grid, const ShiftFile& file) {
    if (const ModelSize size = MeasureModel(grid, file);
        size.columns > kMaxColumns || size.entries > kMaxEntries)
        return TooLarge(grid, file, size);
    return std::nullopt;
}

Result<SolvedPlan, PlanFault> PlanTogether(const std::vector<Demand>& demand, int intervalMinutes,
                                           const std::string& forecastName, const ShiftFile& file,
                                           const ShiftOptions& options, SolveClock::time_point deadline,
                                           const std::string& dayName) {
    const auto began = SolveClock::now();
    const auto laid = LayGrid(demand, intervalMinutes, forecastName);
    if (!laid) return Fail(laid.Error());
    const ShiftGrid& grid = laid.Value();
    const Namer name(demand, forecastName, grid);
    if (auto fault = SizeFault(grid, file)) return Fail(std::move(*fault));
    std::optional<ServiceGoal> goal;
    if (options.goal != ShiftGoal::Interval) {
        auto made = GoalOf(demand, grid, forecastName, options);
        if (!made) return Fail(made.Error());
        goal = std::move(made.Value());
    }
    const ShiftModel model = BuildModel(grid, file, options.allowShort, goal ? &*goal : nullptr);
    if (!options.allowShort && !model.uncoverable.empty())
        return Fail(PlanFault{PlanFault::Kind::ShiftsFallShort,
                              name(model.uncoverable.front()) + ", but no shift in " + file.name +
                                  " can work then"});

    std::optional<std::vector<Placement>> seed;
    if (goal) {
        auto seeded = GoalSeed(grid, file, model, *goal, options, began, deadline);
        if (!seeded) return Fail(seeded.Error());
        seed = std::move(seeded.Value());
    }
    const Found found = Solve(grid, file, model, options.allowShort, options, deadline,
                              seed ? &*seed : nullptr);
    if (found.solver.stopped) return Fail(Cancelled());
    // A plan found (the quick one included) proves the program feasible,
    // whatever the solver, stopped early, says.
    if (found.solver.infeasible && !options.allowShort && !found.placements) {
        if (goal)  // no --allow-short to offer: the goal is reached or refused
            return Fail(PlanFault{PlanFault::Kind::BadInput,
                                  std::string("--shift-goal ") + ShiftGoalText(options.goal) +
                                      ": no plan within the 'max' limits in " + file.name +
                                      " reaches " + plan::DecimalText(options.plan.slPercent) +
                                      (dayName.empty() ? std::string(" % in every ") + ShiftGoalText(options.goal)
                                                       : " % on " + dayName) +
                                      (options.intervalFloor ? " with every interval at " +
                                                                   plan::DecimalText(*options.intervalFloor) + " %"
                                                             : std::string()) });
        return Fail(ShortByLimits(grid, file, name, options, deadline));
    }
    if (!found.placements)
        return Fail(PlanFault{PlanFault::Kind::NoShiftPlan,
                              forecastName + ": no shift plan was found in the " +
                                  SecondsText(options.timeLimit) + " s the solver was given"});

    // The goal's plan is counted again exactly (the solver's tolerances
    // could let an agent on the phones through that the shrinkage rule
    // does not give): one that misses gives way to its seed, which reached
    // it, or is refused.
    std::vector<Placement> placements = *found.placements;
    bool proven = found.optimal;
    if (goal && !Reaches(*goal, OnDuty(grid, file, model, placements), options.plan.shrinkage)) {
        if (!seed)
            return Fail(PlanFault{PlanFault::Kind::NoShiftPlan,
                                  forecastName + ": no shift plan reaching the goal was found in the " +
                                      SecondsText(options.timeLimit) + " s the solver was given"});
        placements = *seed;
        proven = false;
    }
    SolvedPlan solved;
    solved.cost = model.CostOf(ColumnValues(grid, file, model, placements));
    solved.bound = proven ? solved.cost : found.solver.bound;
    ShiftOutcome& out = solved.outcome;
    out.summary = Summary(grid, file, model, placements);
    out.summary.optimal = proven;
    out.summary.goal = ShiftGoalText(options.goal);
    if (goal && options.intervalFloor) out.summary.intervalFloor = options.intervalFloor->ToDouble();
    out.summary.memoryFull = found.solver.memoryFull;
    if (!proven) out.summary.gapPercent = GapPercent(solved.cost, solved.bound);
    const std::vector<long> onDuty = OnDuty(grid, file, model, placements);
    out.onDuty.reserve(demand.size());
    for (std::size_t i = 0; i < demand.size(); ++i) {
        const auto slot = static_cast<std::size_t>(grid.slotOfDemand[i]);
        out.onDuty.push_back(onDuty[slot]);
        // With a goal over days an interval may have fewer than its own
        // plan schedules: that is not short.
        if (!goal && onDuty[slot] < grid.need[slot]) {
            ++out.summary.shortIntervals;
            out.summary.shortAgentHours +=
                static_cast<double>(grid.need[slot] - onDuty[slot]) * intervalMinutes / 60.0;
        }
    }
    return solved;
}

}  // namespace corvane::shifts
