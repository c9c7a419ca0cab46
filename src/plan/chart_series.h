#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "plan/interval_plan.h"

namespace corvane::plan {

// What a chart of the plan draws: agents required and scheduled per
// interval. Past kMaxPoints intervals (five weeks of half-hours), neighbours
// are merged in pairs, the larger counts kept and an interval outside the
// range marking its pair: a chart 1,200 pixels wide shows no more, and one
// of any length is drawn in bounded memory and time.
class ChartSeries {
public:
    struct Point {
        std::string label;  // of the first interval it covers
        long agents = 0;
        long scheduled = 0;
        bool outsideRange = false;
    };
    static constexpr std::size_t kMaxPoints = 1 << 13;

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
