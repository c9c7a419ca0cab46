#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "input/chart_data.h"

namespace corvane::chart {

// A mark on the time axis: before point `at`, with its text.
struct Tick {
    std::size_t at = 0;
    std::string text;
};

// Ticks on round boundaries, at most about `most` of them: for one day the
// hours ("08:00", every 1, 2, 3, 4 or 6 hours), for up to two weeks the day
// starts ("Mon 03.05"); labels without times get every n-th label.
std::vector<Tick> TimeTicks(const input::ChartData& data, std::size_t most);

// The heat map's rows, one per day from `firstDay` to `lastDay`, that begin
// a month ("Mar 2027"), a quarter or a year ("2028"), the finest whose
// labels stand at least `leastDays` rows apart (a label too near the next
// is left empty); and its columns that begin every `hours`-th hour
// ("06:00").
std::vector<Tick> MonthTicks(std::int32_t firstDay, std::int32_t lastDay, double leastDays);

// The colour bar's marks from 0 to `top`: steps of 1, 2 or 5 times a power
// of ten, about four of them.
std::vector<long> LevelTicks(long top);
std::vector<Tick> HourTicks(int intervalMinutes, int hours);

// "Mon 03.05"
std::string DayText(std::int32_t day);

}  // namespace corvane::chart
