#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/result.h"

namespace corvane::input {

// The two files a chart is written as.
enum class ChartFormat { Svg, Png };

// One point of the line chart: an interval, or neighbours merged.
struct ChartPoint {
    std::string label;  // of the first interval it covers
    std::optional<std::int32_t> day;
    std::optional<int> minute;
    long agents = 0;
    long scheduled = 0;
    bool outsideRange = false;
    long onDuty = -1;  // with a shift plan; -1 without
};

// The most a chart holds: points of the line chart (five weeks of
// half-hours) and days of the heat map (ten years).
inline constexpr std::size_t kMaxChartPoints = 1 << 13;
inline constexpr std::size_t kMaxChartDays = 3660;

// The heat map covers at most this many calendar days, first to last.
inline constexpr std::int64_t kMaxDaySpan = 2 * 3660;

// One day of the heat map: the agents required per time of day, -1 where
// the day has no interval (or one outside the usable range); with a shift
// plan also the agents on duty less those scheduled (the fewest where
// intervals share a time of day), read only where `agents` has a count.
struct HeatRow {
    std::int32_t day = 0;
    std::vector<long> agents;
    std::vector<long> surplus;  // empty without a shift plan
};

// Everything a chart draws, apart from the plan: the chart program reads
// it from corvane-plan, and the window draws it directly.
struct ChartData {
    std::string subtitle;  // the targets, shrinkage and patience
    int intervalMinutes = 30;
    std::size_t intervalsPerPoint = 1;
    std::vector<ChartPoint> points;
    std::vector<HeatRow> days;  // in date order; empty without dates and times

    // Fifteen days and more are drawn as a heat map: one row per day.
    bool HeatMap() const { return days.size() >= 15; }
    // With a shift plan, the heat map has a second map: on duty less
    // scheduled.
    bool Surplus() const { return !days.empty() && !days.front().surplus.empty(); }
};

// The chart data as text for the chart program, and back.
std::string ChartDataText(const ChartData& data);
Result<ChartData, std::string> ReadChartData(std::string_view text);

}  // namespace corvane::input
