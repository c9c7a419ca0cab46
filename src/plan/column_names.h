#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::plan {

// The columns a forecast is read from; others are ignored.
enum class ForecastColumn { Interval, Date, DateTime, Calls, Talk, Acw, Aht };
inline constexpr std::size_t kForecastColumns = 7;

// A column name as it is matched: lower case, without spaces, '_' or '-'.
std::string ColumnKey(std::string_view header);

// The column a header names, matched without regard to case, spaces, '_'
// or '-': calls = calls, offered, volume, contacts; talk = talk, talktime;
// acw = acw, wrap, wrapup, aftercallwork; aht = aht, handletime (talk and
// acw as one figure); interval = interval, time, start; date; datetime =
// datetime, timestamp.
std::optional<ForecastColumn> ColumnNamed(std::string_view header);

// The column's name in messages: "calls", "talk", ...
const char* ColumnText(ForecastColumn column);

}  // namespace corvane::plan
