#include "forecasting/day_book.h"

#include <algorithm>
#include <set>

namespace corvane::forecasting {

namespace {

// The dates whose interval starts a weekday is forecast for.
constexpr std::size_t kGridDays = 26;

}  // namespace

DayBook MakeDayBook(const CallHistory& history, std::int32_t cut) {
    DayBook book;
    const std::int32_t first = history.days.front().day;
    for (const HistoryDay& d : history.days)
        if (d.day <= cut) book.last = d.day;
    std::array<int, 7> dates{};
    std::array<int, 7> withCalls{};
    for (std::int32_t day = std::max(first, book.last - kOpenWindowDays + 1); day <= book.last;
         ++day)
        ++dates[static_cast<std::size_t>(input::Weekday(day))];
    for (const HistoryDay& d : history.days)
        if (d.day <= book.last && d.day > book.last - kOpenWindowDays && d.calls > 0)
            ++withCalls[static_cast<std::size_t>(input::Weekday(d.day))];
    for (std::size_t w = 0; w < 7; ++w) book.open[w] = withCalls[w] > 0 && 2 * withCalls[w] >= dates[w];
    for (const HistoryDay& d : history.days) {
        const auto w = static_cast<std::size_t>(input::Weekday(d.day));
        if (d.day > book.last || !book.open[w] || !(d.calls > 0)) continue;
        book.days[w].push_back(&d);
        book.all.push_back(&d);
    }
    for (std::size_t w = 0; w < 7; ++w) {
        std::set<int> starts;
        for (const HistoryDay* d : LastOf(book.days[w], kGridDays))
            for (const HistorySlot& s : d->slots) starts.insert(s.minute);
        if (starts.empty()) continue;
        const int step = history.intervalMinutes;
        if (step == 0) {
            book.grid[w].assign(starts.begin(), starts.end());
            continue;
        }
        for (int at = *starts.begin(); at <= *starts.rbegin(); at += step) book.grid[w].push_back(at);
    }
    return book;
}

std::vector<double> SlotCalls(const HistoryDay& day, const std::vector<int>& grid) {
    std::vector<double> calls(grid.size(), 0.0);
    std::size_t at = 0;
    for (const HistorySlot& s : day.slots) {
        while (at < grid.size() && grid[at] < s.minute) ++at;
        if (at < grid.size() && grid[at] == s.minute) calls[at] = s.calls;
    }
    return calls;
}

std::vector<double> DayProfile(const std::vector<const HistoryDay*>& days,
                               const std::vector<int>& grid) {
    std::vector<double> share(grid.size(), 0.0);
    if (days.empty()) return share;
    for (const HistoryDay* d : days) {
        const std::vector<double> calls = SlotCalls(*d, grid);
        for (std::size_t i = 0; i < grid.size(); ++i) share[i] += calls[i] / d->calls;
    }
    for (double& s : share) s /= static_cast<double>(days.size());
    return share;
}

std::vector<const HistoryDay*> LastOf(const std::vector<const HistoryDay*>& days,
                                      std::size_t count) {
    const std::size_t from = days.size() > count ? days.size() - count : 0;
    return {days.begin() + static_cast<std::ptrdiff_t>(from), days.end()};
}

}  // namespace corvane::forecasting
