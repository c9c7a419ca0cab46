#include "forecasting/handle_times.h"

#include <algorithm>

namespace corvane::forecasting {

namespace {

constexpr std::size_t kHandleDates = 26;

struct Weighted {
    double calls = 0;
    double talk = 0;  // calls x seconds
    double acw = 0;
    void Add(const HistorySlot& s) {
        calls += s.calls;
        talk += s.calls * s.talk;
        acw += s.calls * s.acw;
    }
};

}  // namespace

HandleTimeTable ExpectedHandleTimes(const DayBook& book) {
    HandleTimeTable table;
    Weighted everything;
    std::array<Weighted, 7> weekday;
    std::array<std::vector<Weighted>, 7> slot;
    for (std::size_t w = 0; w < 7; ++w) {
        slot[w].resize(book.grid[w].size());
        for (const HistoryDay* d : LastOf(book.days[w], kHandleDates))
            for (const HistorySlot& s : d->slots) {
                everything.Add(s);
                weekday[w].Add(s);
                const auto at = std::lower_bound(book.grid[w].begin(), book.grid[w].end(), s.minute);
                if (at != book.grid[w].end() && *at == s.minute)
                    slot[w][static_cast<std::size_t>(at - book.grid[w].begin())].Add(s);
            }
    }
    for (std::size_t w = 0; w < 7; ++w)
        for (const Weighted& s : slot[w]) {
            const Weighted& use = s.calls > 0 ? s : weekday[w].calls > 0 ? weekday[w] : everything;
            table.talk[w].push_back(use.calls > 0 ? use.talk / use.calls : 0);
            table.acw[w].push_back(use.calls > 0 ? use.acw / use.calls : 0);
        }
    return table;
}

}  // namespace corvane::forecasting
