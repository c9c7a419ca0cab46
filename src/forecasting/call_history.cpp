#include "forecasting/call_history.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <set>

#include "input/column_names.h"
#include "input/csv_records.h"
#include "input/forecast_csv.h"

namespace corvane::forecasting {

namespace {

using input::PlanFault;

Failure<PlanFault> Refused(std::string message) {
    return Fail(PlanFault{PlanFault::Kind::BadInput, std::move(message)});
}

// The intervals' length, the commonest step between a day's starts (with a
// row a day, the least step between the days' starts), and where its grid
// lies: a start off it (a row out of place, a day of another length) would
// give the forecast rows of different lengths.
Result<void, PlanFault> CheckGrid(CallHistory& history) {
    std::map<int, int> steps;
    for (const HistoryDay& day : history.days)
        for (std::size_t i = 1; i < day.slots.size(); ++i)
            ++steps[day.slots[i].minute - day.slots[i - 1].minute];
    if (steps.empty()) {
        std::set<int> starts;
        for (const HistoryDay& day : history.days) starts.insert(day.slots.front().minute);
        for (auto at = starts.begin(); at != starts.end() && std::next(at) != starts.end(); ++at)
            ++steps[*std::next(at) - *at];
        if (steps.empty()) return {};  // one start in all
        history.intervalMinutes = steps.begin()->first;
        return {};
    }
    int length = 0;
    int most = 0;
    for (const auto& [step, count] : steps)
        if (count > most) {
            most = count;
            length = step;
        }
    std::map<int, int> offsets;
    for (const HistoryDay& day : history.days)
        for (const HistorySlot& s : day.slots) ++offsets[s.minute % length];
    int offset = 0;
    most = 0;
    for (const auto& [at, count] : offsets)
        if (count > most) {
            most = count;
            offset = at;
        }
    // An example of the grid for the message: the first start on it.
    const int example = [&] {
        for (const HistoryDay& day : history.days)
            for (const HistorySlot& s : day.slots)
                if (s.minute % length == offset) return s.minute;
        return offset;
    }();
    for (const HistoryDay& day : history.days)
        for (const HistorySlot& s : day.slots)
            if (s.minute % length != offset)
                return Refused(input::Where(history.name, s.line) + "'" + input::DateText(day.day) +
                               " " + input::TimeText(s.minute) + "' does not start on the " +
                               std::to_string(length) + "-minute intervals of the other rows (" +
                               input::TimeText(example) + ", " +
                               input::TimeText((example + length) % 1440) +
                               ", ...): every interval of a history must have the same length");
    history.intervalMinutes = length;
    return {};
}

constexpr int kGraceMinutes = 60;

// A history exported during its last day holds only that day's morning,
// which would read as a quiet day.
void LeaveOutDayUnderWay(CallHistory& history) {
    if (history.days.size() < 2) return;
    const HistoryDay& last = history.days.back();
    std::vector<int> ends;  // of the weekday's last four dates with calls before it
    for (auto d = history.days.rbegin() + 1; d != history.days.rend() && ends.size() < 4; ++d)
        if (input::Weekday(d->day) == input::Weekday(last.day) && d->calls > 0)
            ends.push_back(d->slots.back().minute);
    if (ends.empty()) return;
    std::sort(ends.begin(), ends.end());
    const int usual = ends[(ends.size() - 1) / 2];  // the lower median
    // An hour's grace: the last rows of a quiet evening may be left out.
    if (last.slots.back().minute + kGraceMinutes > usual) return;
    history.notices.push_back(
        input::Where(history.name, last.slots.back().line) + input::DateText(last.day) +
        " ends at " + input::TimeText(last.slots.back().minute) + ", where its weekday's dates " +
        "before it run to " + input::TimeText(usual) +
        ": taken for a day still under way and left out; the forecast covers it");
    history.days.pop_back();
}

HandleTimes HandleTimesOf(const input::ForecastReader& reader) {
    using input::ForecastColumn;
    if (reader.Has(ForecastColumn::Aht)) return HandleTimes::Aht;
    if (!reader.Has(ForecastColumn::Talk)) return HandleTimes::None;
    return reader.Has(ForecastColumn::Acw) ? HandleTimes::TalkAndAcw : HandleTimes::Talk;
}

}  // namespace

Result<CallHistory, PlanFault> ReadHistory(input::ByteSource& source, const std::string& name,
                                           input::DateOrder order) {
    // A history need not give handle times; where it does not, none are
    // forecast.
    input::ForecastReader reader(source, name, {0L, 0, order});
    std::map<std::int32_t, HistoryDay> days;
    input::ForecastRow row;
    for (;;) {
        const auto next = reader.Next(row);
        if (!next) return Fail(next.Error());
        if (!next.Value()) break;
        if (!row.day)
            return Refused(input::Where(name, row.line) + "'" + row.label +
                           "' has no date: a history needs the date of every interval (a date "
                           "column beside the times, or dates and times in one)");
        if (!row.minute)
            return Refused(input::Where(name, row.line) + "'" + row.label +
                           "' has no time of day: a history needs each interval's start time");
        HistoryDay& day = days[*row.day];
        day.day = *row.day;
        day.slots.push_back({*row.minute, row.line, row.calls, row.talk, row.acw});
        day.calls += row.calls;
    }
    CallHistory history;
    history.name = name;
    history.handleTimes = HandleTimesOf(reader);
    for (auto& [number, day] : days) {
        std::sort(day.slots.begin(), day.slots.end(),
                  [](const HistorySlot& a, const HistorySlot& b) { return a.minute < b.minute; });
        history.days.push_back(std::move(day));
    }
    if (const auto grid = CheckGrid(history); !grid) return Fail(grid.Error());
    LeaveOutDayUnderWay(history);
    const std::int32_t first = history.days.front().day;
    const std::int32_t last = history.days.back().day;
    const std::int64_t span = std::int64_t{last} - first + 1;
    if (span < kLeastHistoryDays)
        return Refused(name + ": the history covers " + std::to_string(span) + " day" +
                       (span == 1 ? "" : "s") + " (" + input::DateText(first) +
                       (span == 1 ? "" : " to " + input::DateText(last)) +
                       "): a forecast needs at least two weeks (14 days) of calls per interval");
    double calls = 0;
    double recent = 0;  // what decides which weekdays are open
    for (const HistoryDay& day : history.days) {
        calls += day.calls;
        if (day.day > last - kOpenWindowDays) recent += day.calls;
    }
    if (!(calls > 0))
        return Refused(name + ": the history has no calls: a forecast needs calls to stand on");
    if (!(recent > 0))
        return Refused(name + ": the history has no calls in its last four weeks (from " +
                       input::DateText(last - kOpenWindowDays + 1) + " to " + input::DateText(last) +
                       "), so every day would be forecast closed: give a history that ends with "
                       "open weeks");
    return history;
}

}  // namespace corvane::forecasting
