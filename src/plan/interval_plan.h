#pragma once

#include <cstddef>
#include <optional>

#include "input/forecast.h"
#include "plan/plan_options.h"

namespace corvane::plan {

// With abandonment, an occupancy cap is met when the computed occupancy
// lies within this of it (a fraction: 10^-10 percentage points).
inline constexpr double kOccupancySlack = 1e-12;

// Whether an Erlang A occupancy (a fraction, a sum of rounded terms that
// may come out a hair above its true value) meets a cap in per cent: within
// kOccupancySlack, and always for a cap of 100, which no count can exceed.
bool OccupancyMeetsCap(double occupancy, const Decimal& capPercent);

enum class IntervalStatus { Planned, NoCalls, OutsideRange };

// The text the outputs give each status.
const char* StatusText(IntervalStatus status);

// An interval needing more agents than this is outside the usable range
// (with Erlang A also one whose queue the model cannot follow).
inline constexpr long kMaxPlannedAgents = 1'000'000;

// The measures of the chosen agent count; shares are fractions 0..1.
struct IntervalMeasures {
    double wait = 0;  // probability of waiting, P(W)
    double serviceLevel = 0;
    double asa = 0;  // seconds
    double occupancy = 0;
    std::optional<double> abandon;  // Erlang A only
};

struct IntervalPlan {
    input::ForecastRow input;
    double erlangs = 0;
    IntervalStatus status = IntervalStatus::Planned;
    long agents = 0;                           // required on the phones
    long scheduled = 0;                        // with shrinkage
    std::optional<IntervalMeasures> measures;  // only when planned
    std::optional<long> onDuty;                // agents working it per a shift plan
    std::optional<IntervalMeasures> achieved;  // what they achieve; none without calls
};

// Plans one interval: the first agent count that meets every target, or a
// status saying why there is none.
IntervalPlan PlanInterval(const input::ForecastRow& row, const PlanOptions& options);

// Plans `count` intervals in place, each from its `input`: the same plans
// as PlanInterval one by one, in less time.
void PlanIntervals(IntervalPlan* plans, std::size_t count, const PlanOptions& options);

}  // namespace corvane::plan
