#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::input {

// The columns a forecast is read from; others are ignored.
enum class ForecastColumn { Interval, Date, DateTime, Calls, Talk, Acw, Aht };
inline constexpr std::size_t kForecastColumns = 7;

// A column name as it is matched: lower case, without spaces, '_', '-' or '.'.
std::string ColumnKey(std::string_view header);

// The unit a header gives its figures: "AHT (min)", "Talk Time [s]",
// "AHT_s", "Handle time in minutes".
enum class ColumnUnit { None, Seconds, Minutes, Unknown };

// Which figures a column holds where a file has both: a forecast is planned
// before plain figures, plain figures before actual ones.
enum class ColumnRank { Actual, Plain, Forecast };

struct NamedColumn {
    ForecastColumn column = ForecastColumn::Calls;
    ColumnUnit unit = ColumnUnit::None;
    std::string unitText;  // as written, for a unit not understood
    ColumnRank rank = ColumnRank::Plain;
    bool hourLike = false;  // whole numbers 0-23 under it are hours of the day
};

// The column a header names, matched without regard to case, spaces, '_',
// '-' or '.', a unit after it, and a leading "forecast" or "actual":
//   calls    calls, offered, calls offered, offered calls, volume, contacts,
//            forecast (alone), incoming calls, calls received
//   talk     talk, talk time, avg talk time, average talk time
//   acw      acw, wrap, wrap up, after call work, avg acw, wrap time
//   aht      aht, handle time, avg handle time, average handle time (talk
//            and acw as one figure)
//   interval interval, time, start, interval start, start time, period,
//            hour, time interval, slot, from
//   date; datetime = datetime, timestamp, date time, interval date time
std::optional<NamedColumn> ColumnNamed(std::string_view header);

// The column's name in messages: "calls", "talk", ...
const char* ColumnText(ForecastColumn column);

}  // namespace corvane::input
