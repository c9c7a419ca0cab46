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
double Erlangs(const input::ForecastRow& r, const PlanOptions& o) {
    return r.calls * (r.talk + r.acw) / o.IntervalSeconds();
}

// Figures the window's staffing engine takes: whole, 16-bit seconds and
// 32-bit calls.
bool WindowFigures(const input::ForecastRow& r) {
    return IsWhole(r.calls) && IsWhole(r.talk) && IsWhole(r.acw) && r.talk + r.acw <= kMaxSeconds &&
           r.calls <= INT32_MAX;
}

// Occupancy A / N against the cap. For whole figures in whole numbers:
// calls * H / L / N <= units / (100 * 10^scale), so a cap is met exactly
// when equal; fractional figures compare the computed occupancy.
bool OccupancyWithinCap(const input::ForecastRow& r, int intervalSeconds, long agents, double occupancy,
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

StaffingInputs EngineInputs(const input::ForecastRow& r, const PlanOptions& o) {
    StaffingInputs in;
    in.talk = static_cast<std::int16_t>(r.talk);
    in.acw = static_cast<std::int16_t>(r.acw);
    in.calls = static_cast<std::int32_t>(r.calls);
    in.slo = static_cast<std::int16_t>(o.answerSeconds);
    in.intervalSeconds = o.IntervalSeconds();
    return in;
}

// Whether a row of the window's staffing table meets every target.
bool WindowRowMeets(const input::ForecastRow& r, const PlanOptions& o, const CommonTargets& targets,
                    const StaffingMeasures& row) {
    if (!targets.Met(row.SL, row.ASA)) return false;
    return !o.maxOccupancy ||
           OccupancyWithinCap(r, o.IntervalSeconds(), row.N, row.OCC, *o.maxOccupancy);
}

// The chosen row. Only a row the window could show whole, waiting counts
// included, is taken; for another the interval goes to the wide search.
void TakeWindowRow(const StaffingMeasures& row, IntervalPlan& plan) {
    plan.agents = row.N;
    plan.measures = IntervalMeasures{row.P0, row.SL, row.ASA, row.OCC, std::nullopt};
}

// Erlang C with the window's staffing engine: walks the staffing table's
// rows, and past its stop when the targets need it. A step the engine
// cannot take ends the walk with its error.
Result<void, ErrorNumber> SearchWindowErlangC(const input::ForecastRow& r, const PlanOptions& o,
                                              IntervalPlan& plan) {
    StaffingRecursion recursion(EngineInputs(r, o));
    const CommonTargets targets(o);
    for (;;) {
        if (auto next = recursion.NextAgents(); !next) return Fail(next.Error());
        const auto row = recursion.Measures();
        if (!row) return Fail(row.Error());
        if (!WindowRowMeets(r, o, targets, row.Value())) continue;
        if (auto waiting = recursion.CheckWaiting(); !waiting) return waiting;
        TakeWindowRow(row.Value(), plan);
        return {};
    }
}

// The staffing table's first row never has fewer agents.
constexpr long kFirstTableAgents = 2;

// Erlang C for any figures and any traffic.
void SearchWideErlangC(const input::ForecastRow& r, const PlanOptions& o, IntervalPlan& plan) {
    ErlangCWalk walk(plan.erlangs, r.talk + r.acw);
    const CommonTargets targets(o);
    for (;;) {
        const long n = walk.NextAgents();
        if (n > kMaxPlannedAgents) RaiseError(kErrOverflow);
        // Counting starts where the staffing table's does: at 2 agents, or
        // the first count above the traffic.
        if (n < kFirstTableAgents) continue;
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
void SearchErlangC(const input::ForecastRow& r, const PlanOptions& o, IntervalPlan& plan) {
    // Past the window's range (above about 700 Erlangs a half-hour) the
    // engine stops, and the wide search takes over.
    if (WindowFigures(r) && SearchWindowErlangC(r, o, plan)) return;
    SearchWideErlangC(r, o, plan);
}

void SearchErlangA(const input::ForecastRow& r, const PlanOptions& o, IntervalPlan& plan) {
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

// A fresh plan of the interval with its traffic; false when there is
// nothing to search: no calls, or traffic no count of agents can carry.
bool StartPlan(IntervalPlan& plan, const PlanOptions& o) {
    IntervalPlan fresh;
    fresh.input = std::move(plan.input);
    plan = std::move(fresh);
    plan.erlangs = Erlangs(plan.input, o);
    if (plan.input.calls == 0) {
        plan.status = IntervalStatus::NoCalls;
        return false;
    }
    if (!(plan.erlangs < kMaxPlannedAgents)) {
        plan.status = IntervalStatus::OutsideRange;
        return false;
    }
    return true;
}

// Runs a search; where it fails, the interval is outside the usable range.
template <class Search>
void Searched(IntervalPlan& plan, const PlanOptions& o, Search search) {
    try {
        search();
    } catch (const CalcError&) {
        plan.status = IntervalStatus::OutsideRange;
        plan.agents = 0;
        plan.measures.reset();
        return;
    }
    plan.scheduled = ScheduledAgents(plan.agents, o.shrinkage);
}

void Plan(IntervalPlan& plan, const PlanOptions& o) {
    if (!StartPlan(plan, o)) return;
    const input::ForecastRow& r = plan.input;
    Searched(plan, o, [&] {
        if (o.patience)
            SearchErlangA(r, o, plan);
        else
            SearchErlangC(r, o, plan);
    });
}

// The window searches of a batch, side by side: every round moves each
// interval still searching to its next row and measures it, so the
// processor works on many at once. The plans are those of Plan, bit for bit.
class WindowBatch {
public:
    explicit WindowBatch(const PlanOptions& o) : o_(o), targets_(o) {}

    void Add(IntervalPlan& plan) {
        lanes_.push_back({&plan, StaffingRecursion(EngineInputs(plan.input, o_))});
    }

    void Run() {
        // In order of traffic: lanes stepped together then finish together.
        std::vector<Lane*> searching;
        for (Lane& lane : lanes_) searching.push_back(&lane);
        std::sort(searching.begin(), searching.end(), [](const Lane* a, const Lane* b) {
            return a->plan->erlangs < b->plan->erlangs;
        });
        while (!searching.empty()) {
            stepping_.clear();
            for (Lane* lane : searching) stepping_.push_back(&lane->recursion);
            StaffingRecursion::NextAgentsTogether(stepping_.data(), stepping_.size(), agents_);
            measuring_.clear();
            measured_.clear();
            for (std::size_t i = 0; i < searching.size(); ++i) {
                if (!agents_[i]) {
                    Wide(*searching[i]);
                    continue;
                }
                measuring_.push_back(&searching[i]->recursion);
                measured_.push_back(searching[i]);
            }
            StaffingRecursion::RowsTogether(measuring_.data(), measuring_.size(), rows_);
            searching.clear();
            for (std::size_t i = 0; i < measured_.size(); ++i) {
                Lane& lane = *measured_[i];
                if (!rows_[i]) {
                    Wide(lane);
                } else if (!WindowRowMeets(lane.plan->input, o_, targets_, rows_[i].Value())) {
                    searching.push_back(&lane);
                } else if (lane.recursion.CheckWaiting()) {
                    const StaffingMeasures& row = rows_[i].Value();
                    Searched(*lane.plan, o_, [&] { TakeWindowRow(row, *lane.plan); });
                } else {
                    Wide(lane);
                }
            }
        }
        lanes_.clear();
    }

    bool Full() const { return lanes_.size() == kBatch; }

private:
    static constexpr std::size_t kBatch = 64;

    struct Lane {
        IntervalPlan* plan;
        StaffingRecursion recursion;
    };

    void Wide(Lane& lane) {
        Searched(*lane.plan, o_, [&] { SearchWideErlangC(lane.plan->input, o_, *lane.plan); });
    }

    const PlanOptions& o_;
    CommonTargets targets_;
    std::vector<Lane> lanes_;
    // Kept from round to round for their room.
    std::vector<StaffingRecursion*> stepping_;
    std::vector<const StaffingRecursion*> measuring_;
    std::vector<Lane*> measured_;
    std::vector<Result<int, ErrorNumber>> agents_;
    std::vector<Result<StaffingMeasures, ErrorNumber>> rows_;
};

}  // namespace

IntervalPlan PlanInterval(const input::ForecastRow& r, const PlanOptions& o) {
    IntervalPlan plan;
    plan.input = r;
    Plan(plan, o);
    return plan;
}

void PlanIntervals(IntervalPlan* plans, std::size_t count, const PlanOptions& o) {
    if (o.patience) {
        for (std::size_t i = 0; i < count; ++i) Plan(plans[i], o);
        return;
    }
    WindowBatch batch(o);
    for (std::size_t i = 0; i < count; ++i) {
        IntervalPlan& plan = plans[i];
        if (!WindowFigures(plan.input)) {
            Plan(plan, o);
        } else if (StartPlan(plan, o)) {
            batch.Add(plan);
            if (batch.Full()) batch.Run();
        }
    }
    batch.Run();
}

}  // namespace corvane::plan
