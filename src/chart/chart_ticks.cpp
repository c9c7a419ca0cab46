#include "chart/chart_ticks.h"

#include <set>

#include "input/label_time.h"

namespace corvane::chart {

namespace {

constexpr const char* kWeekdays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string TwoDigits(int n) { return std::string(1, char('0' + n / 10)) + char('0' + n % 10); }

}  // namespace

std::string DayText(std::int32_t day) {
    const input::CivilDate c = input::DateOfDay(day);
    return std::string(kWeekdays[input::Weekday(day)]) + " " + TwoDigits(c.day) + "." +
           TwoDigits(c.month);
}

std::vector<Tick> TimeTicks(const input::ChartData& data, std::size_t most) {
    const auto& points = data.points;
    std::vector<Tick> ticks;
    std::set<std::int32_t> days;
    bool times = !points.empty();
    for (const auto& p : points) {
        if (p.day) days.insert(*p.day);
        times = times && p.minute.has_value();
    }
    if (times && days.size() <= 1) {
        // One day: the hours, as many as fit.
        for (const int every : {1, 2, 3, 4, 6, 12}) {
            ticks.clear();
            for (std::size_t i = 0; i < points.size(); ++i) {
                const int m = *points[i].minute;
                const bool firstOfHour = i == 0 || *points[i - 1].minute / 60 != m / 60;
                if (m / 60 % every == 0 && firstOfHour && (m % 60 == 0 || i == 0))
                    ticks.push_back({i, input::TimeText(m / 60 * 60)});
            }
            if (ticks.size() <= most) return ticks;
        }
        return ticks;
    }
    if (!days.empty() && days.size() <= 14) {
        for (std::size_t i = 0; i < points.size(); ++i)
            if (points[i].day && (i == 0 || points[i - 1].day != points[i].day))
                ticks.push_back({i, DayText(*points[i].day)});
        return ticks;
    }
    // Labels of no known form: every n-th, evenly.
    const std::size_t every =
        std::max<std::size_t>(1, (points.size() + most - 1) / std::max<std::size_t>(1, most));
    for (std::size_t i = 0; i < points.size(); i += every) ticks.push_back({i, points[i].label});
    return ticks;
}

std::vector<Tick> MonthTicks(std::int32_t firstDay, std::int32_t lastDay) {
    std::vector<Tick> ticks;
    for (std::int32_t day = firstDay; day <= lastDay; ++day) {
        const input::CivilDate c = input::DateOfDay(day);
        if (c.day == 1 || day == firstDay)
            ticks.push_back({static_cast<std::size_t>(day - firstDay),
                             std::string(kMonths[c.month - 1]) + " " + std::to_string(c.year)});
    }
    return ticks;
}

std::vector<Tick> HourTicks(int intervalMinutes, int hours) {
    std::vector<Tick> ticks;
    for (int h = 0; h <= 24; h += hours)
        ticks.push_back(
            {static_cast<std::size_t>(h * 60 / intervalMinutes), input::TimeText(h * 60)});
    return ticks;
}

}  // namespace corvane::chart
