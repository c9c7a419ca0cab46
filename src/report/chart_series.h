#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "input/chart_data.h"
#include "plan/interval_plan.h"
#include "plan/plan_options.h"

namespace corvane::report {

// What a chart of the plan draws, gathered an interval at a time: agents
// required and scheduled per interval and, for labels with dates and
// times, per day and time of day. Past kMaxPoints intervals (five weeks of
// half-hours), neighbours are merged in pairs, the larger counts kept and
// an interval outside the range marking its pair; past kMaxDays days (ten
// years) later days are left out of the heat map: a chart of any length is
// drawn in bounded memory and time.
class ChartSeries {
public:
    static constexpr std::size_t kMaxPoints = input::kMaxChartPoints;
    static constexpr std::size_t kMaxDays = input::kMaxChartDays;

    explicit ChartSeries(int intervalMinutes = 30) : intervalMinutes_(intervalMinutes) {}

    void Add(const plan::IntervalPlan& p);
    const std::vector<input::ChartPoint>& Points() const { return points_; }
    std::size_t IntervalsPerPoint() const { return perPoint_; }
    input::ChartData Data(const plan::PlanOptions& options) const;

private:
    void Merge();
    void AddToDay(const plan::IntervalPlan& p);

    int intervalMinutes_;
    std::vector<input::ChartPoint> points_;
    std::size_t perPoint_ = 1;
    std::size_t inLast_ = 0;  // intervals already in the last point
    std::map<std::int32_t, input::HeatRow> days_;
};

}  // namespace corvane::report
