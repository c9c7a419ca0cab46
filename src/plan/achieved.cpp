#include "plan/achieved.h"

#include <cmath>
#include <limits>

#include "calc/calc_error.h"
#include "plan/erlang_a.h"
#include "plan/erlang_c.h"

namespace corvane::plan {

long ProductiveAgents(long onDuty, const Decimal& shrinkage) {
    if (onDuty <= 0) return 0;
    // shrinkage = units / (100 * 10^scale): on the phones (D - units) / D,
    // in 128 bits so that no count overflows.
    const unsigned __int128 D = 100 * static_cast<unsigned __int128>(shrinkage.Denominator());
    const unsigned __int128 onPhones = D - shrinkage.units;
    return static_cast<long>(static_cast<unsigned __int128>(onDuty) * onPhones / D);
}

std::optional<IntervalMeasures> AchievedMeasures(const IntervalPlan& p, const PlanOptions& o) {
    if (!p.onDuty || !(p.input.calls > 0)) return std::nullopt;
    const long n = ProductiveAgents(*p.onDuty, o.shrinkage);
    const double handle = p.input.talk + p.input.acw;
    const double traffic = p.input.calls * handle / o.IntervalSeconds();
    const double never = std::numeric_limits<double>::infinity();
    const IntervalMeasures none{1, 0, never, 1, std::nullopt};
    if (o.patience) {
        IntervalMeasures out = none;
        out.abandon = 1;
        if (n <= 0 || n > kMaxPlannedAgents) return out;
        try {
            const ErlangAMeasures m = ErlangA(
                ErlangAModel{p.input.calls / o.IntervalSeconds(), handle, static_cast<double>(*o.patience)},
                static_cast<int>(n), o.answerSeconds);
            return IntervalMeasures{m.waitProbability, m.serviceLevel, m.asa, m.occupancy, m.abandon};
        } catch (const CalcError&) {
            // A queue the model cannot follow: far too few agents.
            return out;
        }
    }
    if (!(static_cast<double>(n) > traffic)) return none;
    ErlangCWalk walk(traffic, handle);
    while (walk.NextAgents() < n) {
    }
    const ErlangCMeasures m = walk.Measures(o.answerSeconds);
    return IntervalMeasures{m.waitProbability, m.serviceLevel, m.asa, m.occupancy, std::nullopt};
}

void AchievedSums::Add(double intervalCalls, const IntervalMeasures& m) {
    calls += intervalCalls;
    answeredInTime += intervalCalls * m.serviceLevel;
    if (std::isfinite(m.asa)) waited += intervalCalls * m.asa;
    else asaKnown = false;
    if (m.abandon) {
        withAbandon = true;
        abandoned += intervalCalls * *m.abandon;
    }
}

std::optional<double> AchievedSums::ServiceLevel() const {
    if (!(calls > 0)) return std::nullopt;
    return answeredInTime / calls;
}

std::optional<double> AchievedSums::Asa() const {
    if (!(calls > 0) || !asaKnown) return std::nullopt;
    return waited / calls;
}

std::optional<double> AchievedSums::Abandon() const {
    if (!(calls > 0) || !withAbandon) return std::nullopt;
    return abandoned / calls;
}

void AchievedTotals::Add(const IntervalPlan& p) {
    if (!p.achieved) return;
    all.Add(p.input.calls, *p.achieved);
    if (!p.input.day) return;
    if (days.empty() || days.back().day != *p.input.day) {
        AchievedSums* known = nullptr;
        for (AchievedDay& d : days)
            if (d.day == *p.input.day) known = &d.sums;
        if (known) {
            known->Add(p.input.calls, *p.achieved);
            return;
        }
        days.push_back(AchievedDay{*p.input.day, {}});
    }
    days.back().sums.Add(p.input.calls, *p.achieved);
}

const AchievedSums* AchievedTotals::Day(std::int32_t day) const {
    for (const AchievedDay& d : days)
        if (d.day == day) return &d.sums;
    return nullptr;
}

void Achieve(IntervalPlan& p, const PlanOptions& options, AchievedTotals& totals) {
    p.achieved = AchievedMeasures(p, options);
    totals.Add(p);
}

}  // namespace corvane::plan
