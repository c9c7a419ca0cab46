#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "calc/calc_error.h"
#include "calc/result.h"

namespace corvane {

inline constexpr int kHalfHourSeconds = 1800;

// The four figures of an interval of traffic, as the fields stored them.
// The window always plans a half-hour; the day plan also 15 and 60 minutes.
struct StaffingInputs {
    std::int16_t talk = 0;   // average talk time, seconds
    std::int16_t acw = 0;    // after-call work time, seconds
    std::int32_t calls = 0;  // calls offered in the interval
    std::int16_t slo = 0;    // service level objective, seconds
    std::int32_t intervalSeconds = kHalfHourSeconds;
};

inline constexpr std::array<int, 12> kWaitThresholds = {5,  10, 15, 20,  30,  40,
                                                        50, 60, 90, 120, 180, 240};

// The Erlang C measures for one agent count.
struct StaffingRow {
    std::int16_t N = 0;  // agents
    double P0 = 0;       // probability of waiting, 0..1
    double ASA = 0;      // average speed of answer, seconds
    double DLYDLY = 0;   // average delay of delayed calls, seconds
    double Q1 = 0;       // calls waiting in the queue
    double Q2 = 0;       // calls waiting while all agents are busy
    double SL = 0;       // service level, 0..1
    double OCC = 0;      // occupancy, 0..1
    double TKLD = 0;     // trunk load, Erlangs
    std::array<double, kWaitThresholds.size()> waiting{};  // callers waiting longer than t
};

// The measures of a row that a search compares with its targets.
struct StaffingMeasures {
    int N = 0;
    double P0 = 0;
    double ASA = 0;
    double SL = 0;
    double OCC = 0;
};

// The table stops at the first row whose probability of waiting is at
// most this.
inline constexpr double kStaffingStopLimit = 0.02;

// The Erlang C recursion, one agent count at a time, for callers that need
// rows past the table's stop (the day plan) or only some of the measures.
// Every step fails with the overflow error (6) when a value leaves the
// double range; inputs out of the engine's range fail at the first step.
// A recursion that failed gives that failure from then on.
class StaffingRecursion {
public:
    explicit StaffingRecursion(const StaffingInputs& inputs);

    double Traffic() const { return A_; }

    // Moves to the next agent count that can carry the traffic (the first
    // call gives the table's first row) and returns it.
    Result<int, ErrorNumber> NextAgents();

    // NextAgents for several recursions at once, each ending exactly as its
    // own call would: the steps of one do not wait for another's, so the
    // processor runs them side by side. Neighbours of like traffic finish
    // together, so a caller does well to order them by it. The results
    // replace the contents of `agents`.
    static void NextAgentsTogether(StaffingRecursion* const* recursions, std::size_t count,
                                   std::vector<Result<int, ErrorNumber>>& agents);

    // The measures of the current agent count. The twelve waiting counts
    // cost twelve exponentials; without them Waiting stays zero.
    Result<StaffingRow, ErrorNumber> Row(bool withWaiting = true) const;

    // Row(false), narrowed to the measures a search compares with its
    // targets.
    Result<StaffingMeasures, ErrorNumber> Measures() const;

    // Measures for several recursions at once, each exactly as its own call
    // would give them. The results replace the contents of `rows`.
    static void RowsTogether(const StaffingRecursion* const* recursions, std::size_t count,
                             std::vector<Result<StaffingMeasures, ErrorNumber>>& rows);

    // Fails exactly when Row(true) would, at the cost of one exponential:
    // the waiting counts can only overflow in the longest threshold's.
    Result<void, ErrorNumber> CheckWaiting() const;

private:
    int Advance();
    bool Step();  // one step of the recursion; true once it can carry the traffic
    StaffingRow Measure(bool withWaiting) const;

    double talk_;
    double calls_;
    double slo_;
    double interval_;
    double handle_ = 0.0;
    double A_ = 0.0;
    std::optional<ErrorNumber> failed_;  // an input out of range, or a step that failed
    double term_ = 1.0;
    double sum_ = 1.0;
    int k_ = 1;
};

using StaffingRowSink = std::function<void(const StaffingRow&)>;

// Runs the Erlang C recursion from the first agent count above the
// traffic up to and including the first row with P0 <= 2 %, handing each
// row to the sink before computing the next. Fails with the overflow error
// (6) when a value leaves the double range; rows already delivered stay
// delivered.
Result<void, ErrorNumber> ComputeStaffingRows(const StaffingInputs& inputs,
                                              const StaffingRowSink& sink);

}  // namespace corvane
