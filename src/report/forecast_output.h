#pragma once

#include <string>

#include "forecasting/call_forecast.h"

namespace corvane::report {

// A forecast as a forecast file the planner reads back: date,time,calls,
// then calls_low,calls_high with a range, then the handle times the history
// gave (talk,acw, talk, or aht; "talk (s)" where every one is under 20 s,
// which would otherwise be taken for minutes). ISO dates, starts as HH:MM,
// calls to two decimals, seconds to one. Closed dates have no rows.
std::string ForecastCsv(const forecasting::CallForecast& forecast);

// The same as JSON: the history, the method, and each date with its total
// and intervals; a closed date says so.
std::string ForecastJson(const forecasting::CallForecast& forecast, const std::string& history,
                         const char* method);

}  // namespace corvane::report
