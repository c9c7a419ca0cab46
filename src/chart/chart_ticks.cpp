#include "chart/chart_ticks.h"

#include <set>

#include "input/label_time.h"

namespace corvane::chart {

namespace {

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string TwoDigits(int n) { return std::string(1, char('0' + n / 10)) + char('0' + n % 10); }

}  // namespace

std::string DayText(std::int32_t day) {
    const input::CivilDate c = input::DateOfDay(day);
    return std::string(input::WeekdayText(day)) + " " + TwoDigits(c.day) + "." +
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

std::vector<Tick> MonthTicks(std::int32_t firstDay, std::int32_t lastDay, double leastDays) {
    // Every month, every quarter or every year: the finest whose labels
    // stand `leastDays` apart.
    int months = 1;
    for (const int step : {1, 3, 12}) {
        months = step;
        if (step * 30.4 >= leastDays) break;
    }
    std::vector<Tick> ticks;
    for (std::int32_t day = firstDay; day <= lastDay; ++day) {
        const input::CivilDate c = input::DateOfDay(day);
        if (c.day != 1 && day != firstDay) continue;
        if (day != firstDay && (c.month - 1) % months != 0) continue;
        std::string text = months == 12 ? std::to_string(c.year)
                                        : std::string(kMonths[c.month - 1]) + " " + std::to_string(c.year);
        if (!ticks.empty() && static_cast<double>(day - firstDay) - static_cast<double>(ticks.back().at) < leastDays)
            ticks.back().text.clear();  // the start's label would run into this one
        ticks.push_back({static_cast<std::size_t>(day - firstDay), std::move(text)});
    }
    return ticks;
}

std::vector<long> LevelTicks(long top) {
    if (top <= 0) return {0};
    // About four steps of 1, 2 or 5 times a power of ten.
    long step = 1;
    for (long power = 1;; power *= 10) {
        for (const long f : {1L, 2L, 5L})
            if (top / (f * power) <= 4) {
                step = f * power;
                std::vector<long> ticks;
                for (long v = 0; v <= top; v += step) ticks.push_back(v);
                return ticks;
            }
        if (power > top) break;
    }
    return {0, top};
}

std::vector<Tick> HourTicks(int intervalMinutes, int hours) {
    std::vector<Tick> ticks;
    for (int h = 0; h <= 24; h += hours)
        ticks.push_back(
            {static_cast<std::size_t>(h * 60 / intervalMinutes), input::TimeText(h * 60)});
    return ticks;
}

}  // namespace corvane::chart
