#include <algorithm>
#include <map>
#include <utility>

#include "input/label_time.h"
#include "shifts/gap.h"
#include "shifts/shift_plan.h"

namespace corvane::shifts {

namespace {

using input::PlanFault;

constexpr int kDayMinutes = 24 * 60;
// With less time than this a day's solve gets little past its first plans:
// days are then planned a few together (measured on a year in 10 s: parts
// of 18 days gave 140,880 paid hours, day by day 141,432 to 141,920, the
// year as one program 145,324).
constexpr double kLeastShare = 0.5;

// The demand's days, each with its demand's places, when a goal over the
// day makes them separate programs: every interval dated and no shift
// running past its day's midnight (the 'max' limits count per day
// already). Solved apart, each day's branch and bound proves its own bound
// instead of one search spread over all of them, which closes the gap of a
// week many times faster. None where they are not separate.
std::optional<std::map<std::int32_t, std::vector<std::size_t>>> SeparateDays(
    const std::vector<Demand>& demand, const ShiftFile& file, const ShiftOptions& options) {
    if (options.goal != ShiftGoal::Day) return std::nullopt;
    for (const ShiftType& s : file.types)
        if (s.latest + s.length > kDayMinutes) return std::nullopt;
    std::map<std::int32_t, std::vector<std::size_t>> days;
    for (std::size_t i = 0; i < demand.size(); ++i) {
        if (!demand[i].day) return std::nullopt;
        days[*demand[i].day].push_back(i);
    }
    return days;
}

}  // namespace

Result<ShiftOutcome, PlanFault> PlanShifts(const std::vector<Demand>& demand, int intervalMinutes,
                                           const std::string& forecastName, const ShiftFile& file,
                                           const ShiftOptions& options) {
    // The time limit is the clock's, from here: the models, the solves and
    // a refusal's second solve all within it.
    const auto began = SolveClock::now();
    const auto deadline =
        began + std::chrono::duration_cast<SolveClock::duration>(
                    std::chrono::duration<double>(options.timeLimit));
    const auto days = SeparateDays(demand, file, options);
    if (!days) {
        auto whole = PlanTogether(demand, intervalMinutes, forecastName, file, options, deadline);
        if (!whole) return Fail(whole.Error());
        ShiftOutcome out = std::move(whole.Value().outcome);
        out.summary.seconds = std::chrono::duration<double>(SolveClock::now() - began).count();
        return out;
    }
    // The grid of all days is laid first, so that a fault in it, or a
    // program too large, is told as for the whole file.
    const auto laid = LayGrid(demand, intervalMinutes, forecastName);
    if (!laid) return Fail(laid.Error());
    if (auto fault = SizeFault(laid.Value(), file)) return Fail(std::move(*fault));

    ShiftOutcome out;
    out.summary.goal = ShiftGoalText(options.goal);
    if (options.intervalFloor) out.summary.intervalFloor = options.intervalFloor->ToDouble();
    out.summary.optimal = true;
    out.onDuty.assign(demand.size(), 0);
    // The summed cost is the model's: a goal over days leaves no interval
    // short, so no shortfall costs are in it.
    double bound = 0;
    // The watch follows the whole plan: the days done and the one under way.
    ShiftOptions dayOptions = options;
    if (options.watch)
        dayOptions.watch = [&](const SolveProgress& p) {
            SolveProgress whole = p;
            if (p.best) whole.best = out.summary.cost + *p.best;
            whole.bound = bound + std::max(p.bound, 0.0);
            return options.watch(whole);
        };
    const auto hasCalls = [&demand](const std::vector<std::size_t>& places) {
        return std::any_of(places.begin(), places.end(),
                           [&demand](std::size_t i) { return demand[i].calls > 0; });
    };
    std::vector<std::pair<std::int32_t, const std::vector<std::size_t>*>> busy;
    for (const auto& [day, places] : *days)
        if (hasCalls(places)) busy.emplace_back(day, &places);  // no calls, no agents
    // Consecutive days in parts of near-equal size, each with at least
    // kLeastShare of the time.
    const std::size_t parts = std::clamp<std::size_t>(
        static_cast<std::size_t>(options.timeLimit / kLeastShare), 1, std::max<std::size_t>(busy.size(), 1));
    std::size_t next = 0;
    for (std::size_t part = 0; part < parts && next < busy.size(); ++part) {
        const std::size_t end = busy.size() * (part + 1) / parts;
        std::vector<std::size_t> places;
        for (std::size_t d = next; d < end; ++d)
            places.insert(places.end(), busy[d].second->begin(), busy[d].second->end());
        const std::string dayName = end - next == 1 ? input::DateText(busy[next].first) : std::string();
        next = end;
        std::vector<Demand> ofPart;
        ofPart.reserve(places.size());
        for (const std::size_t i : places) ofPart.push_back(demand[i]);
        // Each part an equal share of the time left: a part proven early
        // leaves its time to the parts after it.
        const auto now = SolveClock::now();
        const auto partEnd = now + (deadline - now) / static_cast<long>(parts - part);
        auto planned = PlanTogether(ofPart, intervalMinutes, forecastName, file, dayOptions, partEnd,
                                    dayName);
        if (!planned) return Fail(planned.Error());
        SolvedPlan& p = planned.Value();
        plan::ShiftSummary& s = p.outcome.summary;
        std::move(s.rows.begin(), s.rows.end(), std::back_inserter(out.summary.rows));
        out.summary.paidHours += s.paidHours;
        out.summary.cost += s.cost;
        out.summary.optimal = out.summary.optimal && s.optimal;
        out.summary.memoryFull = out.summary.memoryFull || s.memoryFull;
        for (std::size_t k = 0; k < places.size(); ++k) out.onDuty[places[k]] = p.outcome.onDuty[k];
        bound += std::max(p.bound, 0.0);
    }
    if (!out.summary.optimal) out.summary.gapPercent = GapPercent(out.summary.cost, bound);
    out.summary.seconds = std::chrono::duration<double>(SolveClock::now() - began).count();
    return out;
}

}  // namespace corvane::shifts
