#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "forecasting/call_history.h"

namespace corvane::forecasting {

// What every method stands on: which weekdays are open, the days that show
// a weekday's calls (holidays left out), and the intervals each weekday is
// forecast for. Built from the history up to a date, so that a forecast can
// be tried on the weeks after it.
struct DayBook {
    std::int32_t last = 0;  // the history's last date up to the cut
    // A weekday is open when it had calls on at least half of its dates in
    // the last four weeks: a closed day stays closed, a holiday does not
    // close its weekday.
    std::array<bool, 7> open{};
    // Per weekday, in date order: its open dates with calls. Dates without
    // rows or without calls (holidays) are not among them.
    std::array<std::vector<const HistoryDay*>, 7> days;
    // Per weekday: every interval start from the first to the last seen on
    // its recent dates, so that a forecast day runs without gaps.
    std::array<std::vector<int>, 7> grid;
    // Every date that counts, in order.
    std::vector<const HistoryDay*> all;
};

DayBook MakeDayBook(const CallHistory& history, std::int32_t cut);

// The calls of a date at each start of `grid` (0 where it has no row).
std::vector<double> SlotCalls(const HistoryDay& day, const std::vector<int>& grid);

// The mean share of each start of `grid` in the day's calls, over `days`;
// days that had intervals outside the grid give it less than all.
std::vector<double> DayProfile(const std::vector<const HistoryDay*>& days,
                               const std::vector<int>& grid);

// The last `count` of `days` (all of them when there are fewer).
std::vector<const HistoryDay*> LastOf(const std::vector<const HistoryDay*>& days,
                                      std::size_t count);

}  // namespace corvane::forecasting
