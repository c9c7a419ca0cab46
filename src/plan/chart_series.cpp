#include "plan/chart_series.h"

#include <algorithm>

namespace corvane::plan {

namespace {

void Join(ChartSeries::Point& into, const ChartSeries::Point& from) {
    into.agents = std::max(into.agents, from.agents);
    into.scheduled = std::max(into.scheduled, from.scheduled);
    into.outsideRange = into.outsideRange || from.outsideRange;
}

}  // namespace

void ChartSeries::Add(const IntervalPlan& p) {
    const bool outside = p.status == IntervalStatus::OutsideRange;
    Point point{p.input.label, outside ? 0 : p.agents, outside ? 0 : p.scheduled, outside};
    if (points_.size() == kMaxPoints && inLast_ == perPoint_) Merge();
    if (!points_.empty() && inLast_ < perPoint_) {
        Join(points_.back(), point);
        ++inLast_;
        return;
    }
    points_.push_back(std::move(point));
    inLast_ = 1;
}

void ChartSeries::Merge() {
    std::vector<Point> merged;
    merged.reserve(points_.size() / 2 + 1);
    for (std::size_t i = 0; i < points_.size(); i += 2) {
        merged.push_back(std::move(points_[i]));
        if (i + 1 < points_.size()) Join(merged.back(), points_[i + 1]);
    }
    // Every point was full, so the last merged one is full too.
    inLast_ = perPoint_ * 2;
    perPoint_ *= 2;
    points_ = std::move(merged);
}

}  // namespace corvane::plan
