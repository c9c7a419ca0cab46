#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "plan/achieved.h"

namespace corvane::plan {

// A group of agents on the same shift, starting and lunching together.
struct ShiftRow {
    std::string date;  // of the start; empty for a forecast without dates
    std::string shift;
    int start = 0;             // minutes after midnight
    std::optional<int> lunch;  // minutes after midnight
    int end = 0;               // minutes after the start day's midnight, past 1440 overnight
    int lunchLength = 0;       // minutes; 0 without a lunch
    long agents = 0;
};

// A shift plan as the plan's outputs show it: its groups in date and start
// order, and what it adds up to.
struct ShiftSummary {
    std::vector<ShiftRow> rows;
    double paidHours = 0;
    double cost = 0;
    bool optimal = false;
    double gapPercent = 0;  // how far the cost may lie above the best possible; 0 when optimal
    double seconds = 0;     // the solver's time
    bool memoryFull = false;  // not optimal: stopped at the memory it may take, not the time
    std::int64_t shortIntervals = 0;  // intervals left with fewer agents than scheduled
    double shortAgentHours = 0;
    AchievedTotals achieved;  // the service level its agents on duty reach
    // What it had to reach: "interval" (the agents scheduled in each), or
    // the service level over each "day" or "week", every interval with
    // calls at least at the floor (per cent) when one is given.
    std::string goal = "interval";
    std::optional<double> intervalFloor;
};

}  // namespace corvane::plan
