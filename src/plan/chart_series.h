#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "calc/result.h"
#include "plan/interval_plan.h"
#include "plan/plan_options.h"

namespace corvane::plan {

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

// What a chart of the plan draws, gathered an interval at a time: agents
// required and scheduled per interval and, for labels with dates and
// times, per day and time of day. Past kMaxPoints intervals (five weeks of
// half-hours), neighbours are merged in pairs, the larger counts kept and
// an interval outside the range marking its pair; past kMaxDays days (ten
// years) later days are left out of the heat map: a chart of any length is
// drawn in bounded memory and time.
class ChartSeries {
public:
    static constexpr std::size_t kMaxPoints = 1 << 13;
    static constexpr std::size_t kMaxDays = 3660;

    explicit ChartSeries(int intervalMinutes = 30) : intervalMinutes_(intervalMinutes) {}

    void Add(const IntervalPlan& p);
    const std::vector<ChartPoint>& Points() const { return points_; }
    std::size_t IntervalsPerPoint() const { return perPoint_; }
    ChartData Data(const PlanOptions& options) const;

private:
    void Merge();
    void AddToDay(const IntervalPlan& p);

    int intervalMinutes_;
    std::vector<ChartPoint> points_;
    std::size_t perPoint_ = 1;
    std::size_t inLast_ = 0;  // intervals already in the last point
    std::map<std::int32_t, HeatRow> days_;
};

// The chart data as text for the chart program, and back.
std::string ChartDataText(const ChartData& data);
Result<ChartData, std::string> ReadChartData(std::string_view text);

}  // namespace corvane::plan
