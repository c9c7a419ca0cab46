#include "plan/interval_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "calc/calc_error.h"
#include "calc/staffing_engine.h"
#include "calc/wide_product.h"
#include "plan/erlang_a.h"
#include "plan/erlang_c.h"
#include "plan/shrinkage.h"

namespace corvane::plan {

namespace {

// The service-level and ASA targets as the measures are compared with them.
struct CommonTargets {
    explicit CommonTargets(const PlanOptions& o)
        : serviceLevel(o.slPercent.ToDouble() / 100.0),
          asa(o.asaLimit ? std::optional<double>(o.asaLimit->ToDouble()) : std::nullopt) {}

    bool Met(double sl, double measuredAsa) const {
        return sl >= serviceLevel && (!asa || measuredAsa <= *asa);
    }

    double serviceLevel;
    std::optional<double> asa;
};

bool IsWhole(double x) { return x == std::floor(x); }

// Traffic A = calls x H / interval seconds, from the figures as written.
double Erlangs(const ForecastRow& r, const PlanOptions& o) {
    return r.calls * (r.talk + r.acw) / o.IntervalSeconds();
}

// Figures the window's staffing engine takes: whole, 16-bit seconds and
// 32-bit calls.
bool WindowFigures(const ForecastRow& r) {
    return IsWhole(r.calls) && IsWhole(r.talk) && IsWhole(r.acw) && r.talk + r.acw <= kMaxSeconds &&
           r.calls <= INT32_MAX;
}

// Occupancy A / N against the cap. For whole figures in whole numbers:
// calls * H / L / N <= units / (100 * 10^scale), so a cap is met exactly
// when equal; fractional figures compare the computed occupancy.
bool OccupancyWithinCap(const ForecastRow& r, int intervalSeconds, long agents, double occupancy,
                        const Decimal& cap) {
    if (!WindowFigures(r)) return OccupancyMeetsCap(occupancy, cap);
    WideProduct load(static_cast<std::uint64_t>(r.calls));
    load *= static_cast<std::uint64_t>(r.talk + r.acw);
    load *= 100;
    load *= cap.Denominator();
    WideProduct room(cap.units);
    room *= static_cast<std::uint64_t>(agents);
    room *= static_cast<std::uint64_t>(intervalSeconds);
    return load <= room;
}

StaffingInputs EngineInputs(const ForecastRow& r, const PlanOptions& o) {
    StaffingInputs in;
    in.talk = static_cast<std::int16_t>(r.talk);
    in.acw = static_cast<std::int16_t>(r.acw);
    in.calls = static_cast<std::int32_t>(r.calls);
    in.slo = static_cast<std::int16_t>(o.answerSeconds);
    in.intervalSeconds = o.IntervalSeconds();
    return in;
}

// The value of a step of the engine; its failure leaves the search the way
// the Erlang A arithmetic does, to be caught in PlanInterval.
template <class T>
T Checked(Result<T, ErrorNumber> step) {
    if (!step) RaiseError(step.Error());
    return std::move(step.Value());
}

// A window recursion moved to its first agent count, alone or beside others.
struct FirstRow {
    StaffingRecursion& recursion;
    Result<int, ErrorNumber> agents;
};

// Erlang C with the window's staffing engine: walks the staffing table's
// rows, and past its stop when the targets need it. The chosen row is then
// computed whole, waiting counts included, so an interval the window's run
// could not show goes to the wide search.
void SearchWindowErlangC(const ForecastRow& r, const PlanOptions& o, IntervalPlan& plan,
                         FirstRow first) {
    StaffingRecursion& recursion = first.recursion;
    const CommonTargets targets(o);
    for (int n = Checked(std::move(first.agents));; n = Checked(recursion.NextAgents())) {
        const StaffingRow row = Checked(recursion.Row(false));
        if (!targets.Met(row.SL, row.ASA)) continue;
        if (o.maxOccupancy &&
            !OccupancyWithinCap(r, o.IntervalSeconds(), n, row.OCC, *o.maxOccupancy))
            continue;
        const StaffingRow full = Checked(recursion.Row(true));
        plan.agents = full.N;
        plan.measures = IntervalMeasures{full.P0, full.SL, full.ASA, full.OCC, std::nullopt};
        return;
    }
}

// Erlang C for any figures and any traffic.
void SearchWideErlangC(const ForecastRow& r, const PlanOptions& o, IntervalPlan& plan) {
    ErlangCWalk walk(plan.erlangs, r.talk + r.acw);
    const CommonTargets targets(o);
    for (;;) {
        const long n = walk.NextAgents();
        if (n > kMaxPlannedAgents) RaiseError(kErrOverflow);
        const ErlangCMeasures m = walk.Measures(o.answerSeconds);
        if (!targets.Met(m.serviceLevel, m.asa)) continue;
        if (o.maxOccupancy &&
            !OccupancyWithinCap(r, o.IntervalSeconds(), n, m.occupancy, *o.maxOccupancy))
            continue;
        plan.agents = n;
        plan.measures =
            IntervalMeasures{m.waitProbability, m.serviceLevel, m.asa, m.occupancy, std::nullopt};
        return;
    }
}

// Whole figures within the window's range are planned as the window plans
// them, bit for bit; everything else by the wide search.
void SearchErlangC(const ForecastRow& r, const PlanOptions& o, IntervalPlan& plan,
                   std::optional<FirstRow> first) {
    if (WindowFigures(r)) {
        try {
            if (first) {
                SearchWindowErlangC(r, o, plan, std::move(*first));
            } else {
                StaffingRecursion recursion(EngineInputs(r, o));
                SearchWindowErlangC(r, o, plan, {recursion, recursion.NextAgents()});
            }
            return;
        } catch (const CalcError&) {
            // Past the window's range (above about 700 Erlangs a half-hour).
        }
    }
    SearchWideErlangC(r, o, plan);
}

void SearchErlangA(const ForecastRow& r, const PlanOptions& o, IntervalPlan& plan) {
    const ErlangAModel model{r.calls / o.IntervalSeconds(), r.talk + r.acw,
                             static_cast<double>(*o.patience)};
    const CommonTargets targets(o);
    const double slTarget = targets.serviceLevel;
    const double abandonCap = o.maxAbandon ? o.maxAbandon->ToDouble() / 100.0 : 0.0;
    auto measure = [&](long n) {
        if (n > kMaxPlannedAgents) RaiseError(kErrOverflow);
        return ErlangA(model, static_cast<int>(n), o.answerSeconds);
    };
    auto meets = [&](long n) {
        ErlangAMeasures m;
        if (n > kMaxPlannedAgents) RaiseError(kErrOverflow);
        try {
            m = measure(n);
        } catch (const CalcError&) {
            // Too few agents for a queue the model can follow (its weight
            // lies millions of callers out): such a count meets no target,
            // and a looser target must not fail where a stricter succeeds.
            return false;
        }
        return targets.Met(m.serviceLevel, m.asa) &&
               (!o.maxOccupancy || OccupancyMeetsCap(m.occupancy, *o.maxOccupancy)) &&
               (!o.maxAbandon || m.abandon <= abandonCap);
    };
    // Every measure improves as agents are added, so the first count that
    // meets the targets is found by galloping up from the traffic and
    // halving back. The service level never exceeds the share of calls
    // answered, at most N / A: no count below A * P / 100 can meet it.
    const double A = model.Traffic();
    long low = std::max(1L, static_cast<long>(std::floor(A * slTarget)));
    long high = std::max(low, static_cast<long>(std::ceil(A)));
    if (!meets(high)) {
        long failed = high;
        for (long step = 1;; step *= 2) {
            const long next = std::min<long>(failed + step, kMaxPlannedAgents + 1L);
            if (meets(next)) {
                high = next;
                break;
            }
            failed = next;
        }
        low = failed + 1;
    }
    // `high` meets the targets and nothing below `low` can: halve between.
    while (low < high) {
        const long mid = low + (high - low) / 2;
        if (meets(mid))
            high = mid;
        else
            low = mid + 1;
    }
    const ErlangAMeasures m = measure(high);
    plan.agents = high;
    plan.measures =
        IntervalMeasures{m.waitProbability, m.serviceLevel, m.asa, m.occupancy, m.abandon};
}

}  // namespace

bool OccupancyMeetsCap(double occupancy, const Decimal& capPercent) {
    const double cap = capPercent.ToDouble() / 100.0;
    return cap >= 1.0 || occupancy <= cap + kOccupancySlack;
}

const char* StatusText(IntervalStatus status) {
    switch (status) {
        case IntervalStatus::Planned: return "ok";
        case IntervalStatus::NoCalls: return "no calls";
        case IntervalStatus::OutsideRange: return "outside the usable range";
    }
    return "";
}

namespace {

// Plans one interval; `first` is its window recursion, already moved on.
IntervalPlan Plan(const ForecastRow& r, const PlanOptions& o, std::optional<FirstRow> first) {
    IntervalPlan plan;
    plan.input = r;
    plan.erlangs = Erlangs(r, o);
    if (r.calls == 0) {
        plan.status = IntervalStatus::NoCalls;
        return plan;
    }
    if (!(plan.erlangs < kMaxPlannedAgents)) {
        plan.status = IntervalStatus::OutsideRange;
        return plan;
    }
    try {
        if (o.patience)
            SearchErlangA(r, o, plan);
        else
            SearchErlangC(r, o, plan, std::move(first));
    } catch (const CalcError&) {
        plan.status = IntervalStatus::OutsideRange;
        plan.agents = 0;
        plan.measures.reset();
        return plan;
    }
    plan.scheduled = ScheduledAgents(plan.agents, o.shrinkage);
    return plan;
}

}  // namespace

IntervalPlan PlanInterval(const ForecastRow& r, const PlanOptions& o) {
    return Plan(r, o, std::nullopt);
}

void PlanIntervals(IntervalPlan* plans, std::size_t count, const PlanOptions& o) {
    if (o.patience) {
        for (std::size_t i = 0; i < count; ++i) plans[i] = Plan(plans[i].input, o, std::nullopt);
        return;
    }
    // The window recursions of a batch run side by side up to their first
    // rows, where the time goes; each interval then goes on alone.
    constexpr std::size_t kBatch = 64;
    std::vector<StaffingRecursion> recursions;
    recursions.reserve(kBatch);
    std::vector<StaffingRecursion*> walking;
    std::vector<std::size_t> which;
    for (std::size_t start = 0; start < count; start += kBatch) {
        const std::size_t end = std::min(count, start + kBatch);
        recursions.clear();
        walking.clear();
        which.clear();
        for (std::size_t i = start; i < end; ++i) {
            const ForecastRow& r = plans[i].input;
            if (r.calls == 0 || !(Erlangs(r, o) < kMaxPlannedAgents) || !WindowFigures(r)) {
                plans[i] = Plan(r, o, std::nullopt);
                continue;
            }
            recursions.emplace_back(EngineInputs(r, o));
            which.push_back(i);
        }
        for (StaffingRecursion& r : recursions) walking.push_back(&r);
        auto firsts = StaffingRecursion::NextAgentsTogether(walking.data(), walking.size());
        for (std::size_t j = 0; j < which.size(); ++j)
            plans[which[j]] =
                Plan(plans[which[j]].input, o, FirstRow{recursions[j], std::move(firsts[j])});
    }
}

}  // namespace corvane::plan
