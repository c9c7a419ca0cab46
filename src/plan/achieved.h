#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "plan/interval_plan.h"
#include "plan/plan_options.h"

namespace corvane::plan {

// The agents of `onDuty` on the phones: the whole part of their share
// (100 - shrinkage) %, decided in whole numbers (30 on duty at 30 % are 21).
long ProductiveAgents(long onDuty, const Decimal& shrinkagePercent);

// The measures a shift plan achieves in an interval: those of its
// productive agents, by the plan's model (Erlang C, or Erlang A with a
// patience). Too few agents to carry the traffic answer nothing in time
// (service level 0, no ASA under Erlang C). None for an interval without
// calls or without agents on duty given.
std::optional<IntervalMeasures> AchievedMeasures(const IntervalPlan& p, const PlanOptions& options);

// Call-weighted sums of achieved measures.
struct AchievedSums {
    double calls = 0;
    double answeredInTime = 0;  // calls x service level
    double waited = 0;          // calls x ASA
    double abandoned = 0;       // calls x abandonment
    bool asaKnown = true;       // no interval without an ASA
    bool withAbandon = false;

    void Add(double intervalCalls, const IntervalMeasures& m);
    // Fractions and seconds; none without calls (or an ASA or abandonment).
    std::optional<double> ServiceLevel() const;
    std::optional<double> Asa() const;
    std::optional<double> Abandon() const;
};

struct AchievedDay {
    std::int32_t day = 0;  // days from 1970-01-01
    AchievedSums sums;
};

// A shift plan's achieved measures in all and per day (in the order the
// days first appear; none without dates).
struct AchievedTotals {
    AchievedSums all;
    std::vector<AchievedDay> days;

    void Add(const IntervalPlan& p);
    const AchievedSums* Day(std::int32_t day) const;
};

// Sets `p.achieved` from its agents on duty, and counts it in `totals`.
void Achieve(IntervalPlan& p, const PlanOptions& options, AchievedTotals& totals);

}  // namespace corvane::plan
