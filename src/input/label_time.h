#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::input {

// A calendar day, counted from 1970-01-01 (day 0, a Thursday).
struct CivilDate {
    int year = 1970;
    int month = 1;
    int day = 1;
};
std::int32_t DayNumber(const CivilDate& date);
CivilDate DateOfDay(std::int32_t dayNumber);
int Weekday(std::int32_t dayNumber);  // 0 = Monday
// "Mon" .. "Sun"
const char* WeekdayText(std::int32_t dayNumber);

// "2027-03-01"
std::string DateText(std::int32_t dayNumber);
// "07:30"
std::string TimeText(int minuteOfDay);

// How a file writes dates whose day and month are both numbers before the
// year ("03/01/2027"): only the file can tell.
enum class DateOrder { Unknown, DayFirst, MonthFirst };

// A date: ISO, year first ("2027-03-01", "2027-3-1", "2027/03/01"); day
// first with dots ("01.03.2027", "1.3.2027"); or day and month before the
// year with '/' or '-' ("03/01/2027", "3-1-2027"), in the order given; or
// with the month's English name ("01-Mar-2027", "1 Mar 27", "Mar 1, 2027"). With
// the order unknown such a date is read only where it cannot be misread:
// a field above 12 is the day, and equal fields are the same date either way.
std::optional<std::int32_t> ParseDate(std::string_view text,
                                      DateOrder order = DateOrder::Unknown);

// The two fields before the year of a date whose order the file decides
// ("3/1/2027 ..." gives 3 and 1); none for other forms.
struct DateFields {
    int first = 0;
    int second = 0;
};
std::optional<DateFields> OrderedDateFields(std::string_view text);

// A time of day as minutes after midnight: "H:MM" or "HH:MM", seconds
// allowed (":00"), or on a 12-hour clock ("9:00 AM", "11:30 pm", "9 AM";
// 12 AM is midnight). A range such as "08:00 - 08:30" gives its start.
std::optional<int> ParseTimeOfDay(std::string_view text);

// A date and a time of day, as above, with a space between (or a 'T' after
// an ISO date): "2027-03-01 07:00", "2027-03-01T07:00", "01.03.2027 07:00",
// "3/1/2027 9:00 AM".
struct DateTime {
    std::int32_t day = 0;
    int minute = 0;
};
std::optional<DateTime> ParseDateTime(std::string_view text,
                                      DateOrder order = DateOrder::Unknown);

}  // namespace corvane::input
