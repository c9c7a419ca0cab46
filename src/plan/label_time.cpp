#include "plan/label_time.h"

#include <cstdio>

#include "calc/plain_text.h"

namespace corvane::plan {

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

std::optional<std::int32_t> ParseDate(std::string_view text) {
    const std::string_view t = text::Trim(text);
    if (t.size() != 10) return std::nullopt;
    if (t[4] == '-' && t[7] == '-')
        return ValidDate(Digits(t, 0, 4), Digits(t, 5, 2), Digits(t, 8, 2));
    if (t[2] == '.' && t[5] == '.')
        return ValidDate(Digits(t, 6, 4), Digits(t, 3, 2), Digits(t, 0, 2));
    if (t[2] == '/' && t[5] == '/')
        return ValidDate(Digits(t, 6, 4), Digits(t, 0, 2), Digits(t, 3, 2));
    return std::nullopt;
}

std::optional<int> ParseTimeOfDay(std::string_view text) {
    std::string_view t = text::Trim(text);
    const std::size_t colon = t.find(':');
    if (colon != 1 && colon != 2) return std::nullopt;
    const auto h = Digits(t, 0, colon);
    const auto m = Digits(t, colon + 1, 2);
    if (!h || !m || *h > 23 || *m > 59) return std::nullopt;
    std::size_t end = colon + 3;
    if (end < t.size() && t[end] == ':') {
        const auto s = Digits(t, end + 1, 2);
        if (!s || *s > 59) return std::nullopt;
        end += 3;
    }
    // What may follow: nothing, or the end of a range ("- 08:30").
    std::string_view rest = text::Trim(t.substr(end));
    if (!rest.empty()) {
        if (rest.front() != '-') return std::nullopt;
        rest = text::Trim(rest.substr(1));
        if (rest.find('-') != std::string_view::npos || !ParseTimeOfDay(rest)) return std::nullopt;
    }
    return *h * 60 + *m;
}

std::optional<DateTime> ParseDateTime(std::string_view text) {
    const std::string_view t = text::Trim(text);
    if (t.size() < 15 || (t[10] != ' ' && t[10] != 'T')) return std::nullopt;
    const auto day = ParseDate(t.substr(0, 10));
    if (!day || (t[10] == 'T' && t[4] != '-')) return std::nullopt;
    const auto minute = ParseTimeOfDay(t.substr(11));
    if (!minute) return std::nullopt;
    return DateTime{*day, *minute};
}

}  // namespace corvane::plan
