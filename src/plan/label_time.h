#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::plan {

// A calendar day, counted from 1970-01-01 (day 0, a Thursday).
struct CivilDate {
    int year = 1970;
    int month = 1;
    int day = 1;
};
std::int32_t DayNumber(const CivilDate& date);
CivilDate DateOfDay(std::int32_t dayNumber);
int Weekday(std::int32_t dayNumber);  // 0 = Monday

// "2027-03-01"
std::string DateText(std::int32_t dayNumber);
// "07:30"
std::string TimeText(int minuteOfDay);

// A date as ISO ("2027-03-01"), "DD.MM.YYYY" or "MM/DD/YYYY".
std::optional<std::int32_t> ParseDate(std::string_view text);

// A time of day, "H:MM" or "HH:MM", seconds allowed (":00"), as minutes
// after midnight. A range such as "08:00 - 08:30" gives its start.
std::optional<int> ParseTimeOfDay(std::string_view text);

// A date and a time: ISO with a space or a 'T' between ("2027-03-01
// 07:00", "2027-03-01T07:00"), "DD.MM.YYYY HH:MM" or "MM/DD/YYYY HH:MM".
struct DateTime {
    std::int32_t day = 0;
    int minute = 0;
};
std::optional<DateTime> ParseDateTime(std::string_view text);

}  // namespace corvane::plan
