#include "input/chart_data.h"

#include <cstdint>
#include <limits>
#include <type_traits>
#include <nlohmann/json.hpp>

#include "input/text_check.h"

namespace corvane::input {

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

}  // namespace

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
                     data.points.size() <= kMaxChartPoints &&
                     data.days.size() <= kMaxChartDays;
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

}  // namespace corvane::input
