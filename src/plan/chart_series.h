#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "plan/interval_plan.h"

namespace corvane::plan {

// What a chart of the plan draws: agents required and scheduled per
// interval. Past kMaxPoints intervals, neighbours are merged in pairs (the
// larger counts kept, an interval outside the range marks its pair), so a
// chart of any length is drawn from bounded memory; a year of half-hours
// keeps every interval.
class ChartSeries {
public:
    struct Point {
        std::string label;  // of the first interval it covers
        long agents = 0;
        long scheduled = 0;
        bool outsideRange = false;
    };
    static constexpr std::size_t kMaxPoints = 1 << 16;

    void Add(const IntervalPlan& p);
    const std::vector<Point>& Points() const { return points_; }
    std::size_t IntervalsPerPoint() const { return perPoint_; }

private:
    void Merge();

    std::vector<Point> points_;
    std::size_t perPoint_ = 1;
    std::size_t inLast_ = 0;  // intervals already in the last point
};

}  // namespace corvane::plan
