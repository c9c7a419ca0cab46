#include "input/label_time.h"

#include <cstdio>

#include "calc/plain_text.h"

namespace corvane::input {

namespace {

// Days from 1970-01-01 for a date of the proleptic Gregorian calendar.
std::int32_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool LeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && LeapYear(y) ? 29 : kDays[m - 1];
}

// Exactly `width` digits at `at`, or nothing.
std::optional<int> Digits(std::string_view text, std::size_t at, std::size_t width) {
    if (at + width > text.size()) return std::nullopt;
    int value = 0;
    for (std::size_t i = at; i < at + width; ++i) {
        if (!text::IsDigit(text[i])) return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::optional<std::int32_t> ValidDate(std::optional<int> y, std::optional<int> m,
                                      std::optional<int> d) {
    if (!y || !m || !d || *y < 1900 || *y > 2999 || *m < 1 || *m > 12 || *d < 1 ||
        *d > DaysInMonth(*y, *m))
        return std::nullopt;
    return DaysFromCivil(*y, *m, *d);
}

}  // namespace

std::int32_t DayNumber(const CivilDate& date) {
    return DaysFromCivil(date.year, date.month, date.day);
}

CivilDate DateOfDay(std::int32_t z) {
    z += 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = z - era * 146097;
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    const int d = doy - (153 * mp + 2) / 5 + 1;
    const int m = mp < 10 ? mp + 3 : mp - 9;
    return {yoe + era * 400 + (m <= 2), m, d};
}

int Weekday(std::int32_t dayNumber) { return ((dayNumber % 7) + 7 + 3) % 7; }

const char* WeekdayText(std::int32_t dayNumber) {
    static const char* const kNames[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    return kNames[Weekday(dayNumber)];
}

std::string DateText(std::int32_t dayNumber) {
    const CivilDate c = DateOfDay(dayNumber);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", c.year, c.month, c.day);
    return buf;
}

std::string TimeText(int minuteOfDay) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d:%02d", minuteOfDay / 60 % 100, minuteOfDay % 60);
    return buf;
}

namespace {

// Leading digits, at most `most` of them: the value and how many.
struct Number {
    int value = 0;
    std::size_t digits = 0;
};
Number LeadingNumber(std::string_view t, std::size_t at, std::size_t most) {
    Number n;
    while (at + n.digits < t.size() && n.digits < most && text::IsDigit(t[at + n.digits])) {
        n.value = n.value * 10 + (t[at + n.digits] - '0');
        ++n.digits;
    }
    if (at + n.digits < t.size() && text::IsDigit(t[at + n.digits])) return {};  // too many
    return n;
}

// A date at the start of `t`: its parts as written and the characters it
// takes. The year comes first (ISO) or last; day and month have one or two
// digits.
struct WrittenDate {
    int year = 0;
    int first = 0;   // the month (year first), else the field before the second
    int second = 0;  // the day (year first), else the field before the year
    char mark = 0;
    bool yearFirst = false;
    std::size_t length = 0;
    bool named = false;  // the month by its name, so no order to settle
};

// An English month's name or its first three letters ("Sept" too) at `at`:
// the month and the letters it takes.
std::optional<std::pair<int, std::size_t>> MonthName(std::string_view t, std::size_t at) {
    static const char* const kNames[] = {"january", "february", "march",     "april",
                                         "may",     "june",     "july",      "august",
                                         "september", "october", "november", "december"};
    std::size_t end = at;
    while (end < t.size() && ((t[end] >= 'a' && t[end] <= 'z') || (t[end] >= 'A' && t[end] <= 'Z')))
        ++end;
    const std::string word = text::Lower(t.substr(at, end - at));
    for (int m = 0; m < 12; ++m) {
        const std::string_view name = kNames[m];
        if (word == name || (word.size() == 3 && name.substr(0, 3) == word) ||
            (m == 8 && word == "sept"))
            return std::pair{m + 1, end - at};
    }
    return std::nullopt;
}

// "01-Mar-2027", "1 Mar 27", "1 March 2027", "Mar 1, 2027", "March 1 2027":
// a two-digit year is of this century.
std::optional<WrittenDate> LeadingNamedDate(std::string_view t) {
    WrittenDate d;
    d.named = d.yearFirst = true;
    std::size_t at = 0;
    const auto separator = [&](bool comma) {
        const std::size_t from = at;
        if (comma && at < t.size() && t[at] == ',') ++at;
        if (at < t.size() && (t[at] == '-' || t[at] == ' ' || t[at] == '/')) ++at;
        return at > from;
    };
    const auto year = [&]() -> bool {
        const Number y = LeadingNumber(t, at, 4);
        if (y.digits != 2 && y.digits != 4) return false;
        d.year = y.digits == 2 ? 2000 + y.value : y.value;
        at += y.digits;
        return true;
    };
    if (const Number first = LeadingNumber(t, 0, 2); first.digits > 0) {
        at = first.digits;
        if (!separator(false)) return std::nullopt;
        const auto month = MonthName(t, at);
        if (!month) return std::nullopt;
        at += month->second;
        if (!separator(false) || !year()) return std::nullopt;
        d.first = month->first;
        d.second = first.value;
    } else {
        const auto month = MonthName(t, 0);
        if (!month) return std::nullopt;
        at = month->second;
        if (!separator(false)) return std::nullopt;
        const Number day = LeadingNumber(t, at, 2);
        if (day.digits == 0) return std::nullopt;
        at += day.digits;
        if (!separator(true) || !year()) return std::nullopt;
        d.first = month->first;
        d.second = day.value;
    }
    if (at < t.size() && text::IsDigit(t[at])) return std::nullopt;
    d.length = at;
    return d;
}

std::optional<WrittenDate> LeadingDate(std::string_view t) {
    if (const auto named = LeadingNamedDate(t)) return named;
    const Number a = LeadingNumber(t, 0, 4);
    if (a.digits == 0 || a.digits >= t.size()) return std::nullopt;
    const char mark = t[a.digits];
    if (mark != '-' && mark != '/' && mark != '.') return std::nullopt;
    const Number b = LeadingNumber(t, a.digits + 1, 2);
    const std::size_t second = a.digits + 1 + b.digits;
    if (b.digits == 0 || second >= t.size() || t[second] != mark) return std::nullopt;
    const Number c = LeadingNumber(t, second + 1, 4);
    if (c.digits == 0) return std::nullopt;
    WrittenDate d;
    d.mark = mark;
    d.length = second + 1 + c.digits;
    if (a.digits == 4) {
        if (c.digits > 2 || mark == '.') return std::nullopt;
        d = {a.value, b.value, c.value, mark, true, d.length};
    } else {
        if (a.digits > 2 || c.digits != 4) return std::nullopt;
        d = {c.value, a.value, b.value, mark, false, d.length};
    }
    return d;
}

std::optional<std::int32_t> DayOf(const WrittenDate& d, DateOrder order) {
    if (d.yearFirst) return ValidDate(d.year, d.first, d.second);
    // Dots are written day first wherever they are used.
    if (d.mark == '.') return ValidDate(d.year, d.second, d.first);
    // A field above 12 can only be the day, whatever the file's order.
    if (order == DateOrder::Unknown) {
        if (d.first > 12 || d.first == d.second) order = DateOrder::DayFirst;
        else if (d.second > 12) order = DateOrder::MonthFirst;
        else return std::nullopt;
    }
    return order == DateOrder::DayFirst ? ValidDate(d.year, d.second, d.first)
                                        : ValidDate(d.year, d.first, d.second);
}

bool StartsWithWord(std::string_view t, std::string_view word) {
    return t.size() >= word.size() && text::EqualIgnoringCase(t.substr(0, word.size()), word);
}

// A clock time at the start of `t`, 24-hour ("8:00", "08:30:00") or 12-hour
// ("9:00 AM", "11:30 pm", "9 AM"): the minute of the day and its length.
std::optional<std::pair<int, std::size_t>> LeadingClock(std::string_view t) {
    const Number h = LeadingNumber(t, 0, 2);
    if (h.digits == 0) return std::nullopt;
    std::size_t end = h.digits;
    int minute = 0;
    bool hasMinutes = false;
    if (end < t.size() && t[end] == ':') {
        const auto m = Digits(t, end + 1, 2);
        if (!m || *m > 59) return std::nullopt;
        minute = *m;
        hasMinutes = true;
        end += 3;
        if (end < t.size() && t[end] == ':') {
            const auto s = Digits(t, end + 1, 2);
            if (!s || *s > 59) return std::nullopt;
            end += 3;
        }
        if (end < t.size() && text::IsDigit(t[end])) return std::nullopt;
    }
    std::size_t at = end;
    while (at < t.size() && text::IsBlank(t[at])) ++at;
    const std::string_view rest = t.substr(at);
    for (const auto& [word, afternoon] :
         {std::pair<std::string_view, bool>{"a.m.", false}, {"p.m.", true}, {"am", false},
          {"pm", true}}) {
        if (!StartsWithWord(rest, word)) continue;
        const std::size_t after = at + word.size();
        if (after < t.size() && !text::IsBlank(t[after]) && t[after] != '-') continue;
        if (h.value < 1 || h.value > 12) return std::nullopt;
        return std::pair{(h.value % 12 + (afternoon ? 12 : 0)) * 60 + minute, after};
    }
    if (!hasMinutes || h.value > 23) return std::nullopt;
    return std::pair{h.value * 60 + minute, end};
}

}  // namespace

std::optional<std::int32_t> ParseDate(std::string_view text, DateOrder order) {
    const std::string_view t = text::Trim(text);
    const auto d = LeadingDate(t);
    if (!d || d->length != t.size()) return std::nullopt;
    return DayOf(*d, order);
}

std::optional<DateFields> OrderedDateFields(std::string_view text) {
    const auto d = LeadingDate(text::Trim(text));
    if (!d || d->yearFirst || d->mark == '.') return std::nullopt;
    return DateFields{d->first, d->second};
}

std::optional<int> ParseTimeOfDay(std::string_view text) {
    const std::string_view t = text::Trim(text);
    const auto clock = LeadingClock(t);
    if (!clock) return std::nullopt;
    // What may follow: nothing, or the end of a range ("- 08:30").
    std::string_view rest = text::Trim(t.substr(clock->second));
    if (!rest.empty()) {
        if (rest.front() != '-') return std::nullopt;
        rest = text::Trim(rest.substr(1));
        const auto end = LeadingClock(rest);
        if (!end || !text::Trim(rest.substr(end->second)).empty()) return std::nullopt;
    }
    return clock->first;
}

std::optional<DateTime> ParseDateTime(std::string_view text, DateOrder order) {
    const std::string_view t = text::Trim(text);
    const auto d = LeadingDate(t);
    if (!d || d->length >= t.size()) return std::nullopt;
    const char between = t[d->length];
    if (between != ' ' && !(between == 'T' && d->yearFirst && d->mark == '-' && !d->named))
        return std::nullopt;
    const auto day = DayOf(*d, order);
    const auto minute = ParseTimeOfDay(t.substr(d->length + 1));
    if (!day || !minute) return std::nullopt;
    return DateTime{*day, *minute};
}

}  // namespace corvane::input
