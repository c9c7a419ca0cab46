#include "plan/chart_series.h"

#include <algorithm>
#include <type_traits>
#include <limits>
#include <cstdint>
#include <nlohmann/json.hpp>

#include "plan/decimal.h"
#include "plan/plan_output.h"

#include "plan/text_check.h"

namespace corvane::plan {

namespace {

using nlohmann::json;

constexpr long kMaxChartCount = 1'000'000'000'000;

// Leaves the reading of chart data that is not what a plan writes.
struct NotChartData {};

// A whole number that fits T. The library's own conversion casts a
// fraction or a number out of range unchecked, which is undefined.
template <class T>
T Whole(const json& j) {
    if (j.is_number_unsigned()) {
        const auto v = j.get<std::uint64_t>();
        if (v <= static_cast<std::uint64_t>(std::numeric_limits<T>::max())) return static_cast<T>(v);
    } else if (j.is_number_integer()) {
        const auto v = j.get<std::int64_t>();
        if (v >= 0 ? static_cast<std::uint64_t>(v) <= static_cast<std::uint64_t>(std::numeric_limits<T>::max())
                   : std::is_signed_v<T> && v >= static_cast<std::int64_t>(std::numeric_limits<T>::min()))
            return static_cast<T>(v);
    }
    throw NotChartData{};
}

// A list, and not a single value (which the library would walk as one).
const json& List(const json& j) {
    if (!j.is_array()) throw NotChartData{};
    return j;
}

void Join(ChartPoint& into, const ChartPoint& from) {
    into.agents = std::max(into.agents, from.agents);
    into.scheduled = std::max(into.scheduled, from.scheduled);
    into.outsideRange = into.outsideRange || from.outsideRange;
    // The fewer on duty of a pair: where the plan may fall short.
    into.onDuty = into.onDuty < 0 ? from.onDuty
                  : from.onDuty < 0 ? into.onDuty
                                    : std::min(into.onDuty, from.onDuty);
}

}  // namespace

void ChartSeries::Add(const IntervalPlan& p) {
    const bool outside = p.status == IntervalStatus::OutsideRange;
    ChartPoint point{p.input.label,
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

void ChartSeries::AddToDay(const IntervalPlan& p) {
    if (!p.input.day || !p.input.minute || intervalMinutes_ <= 0) return;
    auto at = days_.find(*p.input.day);
    if (at == days_.end()) {
        // Days past the bound, or so far from the others that the map
        // would be nothing but gap, are left out.
        if (days_.size() >= kMaxDays) return;
        if (!days_.empty() &&
            (static_cast<std::int64_t>(*p.input.day) - days_.begin()->first >= kMaxDaySpan ||
             static_cast<std::int64_t>(days_.rbegin()->first) - *p.input.day >= kMaxDaySpan))
            return;
        const auto slots =
            static_cast<std::size_t>((1440 + intervalMinutes_ - 1) / intervalMinutes_);
        HeatRow row{*p.input.day, std::vector<long>(slots, -1), {}};
        if (p.onDuty) row.surplus.assign(slots, 0);
        at = days_.emplace(*p.input.day, std::move(row)).first;
    }
    HeatRow& row = at->second;
    const auto slot = static_cast<std::size_t>(*p.input.minute / intervalMinutes_);
    if (slot >= row.agents.size() || p.status == IntervalStatus::OutsideRange) return;
    if (p.onDuty && !row.surplus.empty()) {
        const long surplus = *p.onDuty - p.scheduled;
        row.surplus[slot] = row.agents[slot] < 0 ? surplus : std::min(row.surplus[slot], surplus);
    }
    row.agents[slot] = std::max(row.agents[slot], p.agents);
}

void ChartSeries::Merge() {
    std::vector<ChartPoint> merged;
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

ChartData ChartSeries::Data(const PlanOptions& o) const {
    ChartData data;
    data.subtitle = TargetText(o) + "; shrinkage " + DecimalText(o.shrinkage) + " %";
    if (o.patience) data.subtitle += "; mean patience " + std::to_string(*o.patience) + " s";
    data.intervalMinutes = o.intervalMinutes;
    data.intervalsPerPoint = perPoint_;
    data.points = points_;
    for (const auto& [day, row] : days_) data.days.push_back(row);
    return data;
}

std::string ChartDataText(const ChartData& data) {
    json points = json::array();
    for (const ChartPoint& p : data.points)
        points.push_back({p.label, p.day ? json(*p.day) : json(),
                          p.minute ? json(*p.minute) : json(), p.agents, p.scheduled,
                          p.outsideRange, p.onDuty});
    json days = json::array();
    for (const HeatRow& d : data.days)
        days.push_back(d.surplus.empty() ? json{d.day, d.agents} : json{d.day, d.agents, d.surplus});
    const json all = {{"subtitle", data.subtitle},
                      {"interval_minutes", data.intervalMinutes},
                      {"intervals_per_point", data.intervalsPerPoint},
                      {"points", points},
                      {"days", days}};
    return all.dump(-1, ' ', false, json::error_handler_t::replace);
}

Result<ChartData, std::string> ReadChartData(std::string_view text) {
    const json all = json::parse(text, nullptr, false);
    if (all.is_discarded() || !all.is_object()) return Fail(std::string("not chart data"));
    try {
        ChartData data;
        data.subtitle = all.at("subtitle").get<std::string>();
        if (FirstControl(data.subtitle)) throw NotChartData();
        data.intervalMinutes = Whole<int>(all.at("interval_minutes"));
        data.intervalsPerPoint = Whole<std::size_t>(all.at("intervals_per_point"));
        for (const json& p : List(all.at("points"))) {
            ChartPoint point;
            point.label = p.at(0).get<std::string>();
            // Drawn as text, in SVG as XML character data, which control
            // characters are not.
            if (FirstControl(point.label)) throw NotChartData();
            if (!p.at(1).is_null()) point.day = Whole<std::int32_t>(p.at(1));
            if (!p.at(2).is_null()) point.minute = Whole<int>(p.at(2));
            point.agents = Whole<long>(p.at(3));
            point.scheduled = Whole<long>(p.at(4));
            point.outsideRange = p.at(5).get<bool>();
            point.onDuty = Whole<long>(p.at(6));
            data.points.push_back(std::move(point));
        }
        for (const json& d : List(all.at("days"))) {
            HeatRow row{Whole<std::int32_t>(d.at(0)), {}, {}};
            for (const json& agents : List(d.at(1))) row.agents.push_back(Whole<long>(agents));
            if (List(d).size() > 2)
                for (const json& surplus : List(d.at(2))) row.surplus.push_back(Whole<long>(surplus));
            data.days.push_back(std::move(row));
        }
        // What a plan gives, and so all a chart has to draw.
        bool sound = data.intervalMinutes > 0 && data.intervalMinutes <= 1440 &&
                     data.points.size() <= ChartSeries::kMaxPoints &&
                     data.days.size() <= ChartSeries::kMaxDays;
        // Counts no plan comes near, and whose size a drawing cannot take
        // (the magnitude of the least long has no long).
        const auto count = [](long n) { return n >= -kMaxChartCount && n <= kMaxChartCount; };
        for (std::size_t i = 0; sound && i < data.days.size(); ++i) {
            const HeatRow& row = data.days[i];
            sound = row.agents.size() <= 1440 && (i == 0 || row.day > data.days[i - 1].day) &&
                    (row.surplus.empty() ? !data.Surplus()
                                         : row.surplus.size() == row.agents.size()) &&
                    std::all_of(row.agents.begin(), row.agents.end(), count) &&
                    std::all_of(row.surplus.begin(), row.surplus.end(), count);
        }
        for (const ChartPoint& p : data.points)
            sound = sound && count(p.agents) && count(p.scheduled) && count(p.onDuty);
        if (sound && !data.days.empty())
            sound = static_cast<std::int64_t>(data.days.back().day) - data.days.front().day <
                    kMaxDaySpan;
        if (!sound) return Fail(std::string("not chart data"));
        return data;
    } catch (const json::exception&) {  // a field missing or of the wrong type
        return Fail(std::string("not chart data"));
    } catch (const NotChartData&) {
        return Fail(std::string("not chart data"));
    }
}

}  // namespace corvane::plan
