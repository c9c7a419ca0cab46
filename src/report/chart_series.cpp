#include "report/chart_series.h"

#include <algorithm>

#include "plan/decimal.h"
#include "report/plan_output.h"

namespace corvane::report {

namespace {

void Join(input::ChartPoint& into, const input::ChartPoint& from) {
    into.agents = std::max(into.agents, from.agents);
    into.scheduled = std::max(into.scheduled, from.scheduled);
    into.outsideRange = into.outsideRange || from.outsideRange;
    // The fewer on duty of a pair: where the plan may fall short.
    into.onDuty = into.onDuty < 0 ? from.onDuty
                  : from.onDuty < 0 ? into.onDuty
                                    : std::min(into.onDuty, from.onDuty);
}

}  // namespace

void ChartSeries::Add(const plan::IntervalPlan& p) {
    const bool outside = p.status == plan::IntervalStatus::OutsideRange;
    input::ChartPoint point{p.input.label,
                     p.input.day,
                     p.input.minute,
                     outside ? 0 : p.agents,
                     outside ? 0 : p.scheduled,
                     outside,
                     p.onDuty.value_or(-1)};
    AddToDay(p);
    if (points_.size() == kMaxPoints && inLast_ == perPoint_) Merge();
    if (!points_.empty() && inLast_ < perPoint_) {
        Join(points_.back(), point);
        ++inLast_;
        return;
    }
    points_.push_back(std::move(point));
    inLast_ = 1;
}

void ChartSeries::AddToDay(const plan::IntervalPlan& p) {
    if (!p.input.day || !p.input.minute || intervalMinutes_ <= 0) return;
    auto at = days_.find(*p.input.day);
    if (at == days_.end()) {
        // Days past the bound, or so far from the others that the map
        // would be nothing but gap, are left out.
        if (days_.size() >= kMaxDays) return;
        if (!days_.empty() &&
            (static_cast<std::int64_t>(*p.input.day) - days_.begin()->first >= input::kMaxDaySpan ||
             static_cast<std::int64_t>(days_.rbegin()->first) - *p.input.day >= input::kMaxDaySpan))
            return;
        const auto slots =
            static_cast<std::size_t>((1440 + intervalMinutes_ - 1) / intervalMinutes_);
        input::HeatRow row{*p.input.day, std::vector<long>(slots, -1), {}};
        if (p.onDuty) row.surplus.assign(slots, 0);
        at = days_.emplace(*p.input.day, std::move(row)).first;
    }
    input::HeatRow& row = at->second;
    const auto slot = static_cast<std::size_t>(*p.input.minute / intervalMinutes_);
    if (slot >= row.agents.size() || p.status == plan::IntervalStatus::OutsideRange) return;
    if (p.onDuty && !row.surplus.empty()) {
        const long surplus = *p.onDuty - p.scheduled;
        row.surplus[slot] = row.agents[slot] < 0 ? surplus : std::min(row.surplus[slot], surplus);
    }
    row.agents[slot] = std::max(row.agents[slot], p.agents);
}

void ChartSeries::Merge() {
    std::vector<input::ChartPoint> merged;
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

input::ChartData ChartSeries::Data(const plan::PlanOptions& o) const {
    input::ChartData data;
    data.subtitle = TargetText(o) + "; shrinkage " + plan::DecimalText(o.shrinkage) + " %";
    if (o.patience) data.subtitle += "; mean patience " + std::to_string(*o.patience) + " s";
    data.intervalMinutes = o.intervalMinutes;
    data.intervalsPerPoint = perPoint_;
    data.points = points_;
    for (const auto& [day, row] : days_) data.days.push_back(row);
    return data;
}

}  // namespace corvane::report
