#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "forecasting/day_book.h"

namespace corvane::forecasting {

// How a date's calls are forecast. The first is the program's own; the
// others are the standard methods it was measured against, kept so that
// the comparison can be run again on any history.
enum class Method {
    LevelProfile,   // recent level and weekday shape, long-run intraday profile
    SeasonalNaive,  // each interval as on the same weekday a week before
    WeekdayMean,    // the mean of the last four same weekdays
    HoltWinters,    // additive Holt-Winters on daily totals, times a profile
};

const char* MethodName(Method method);  // "level-profile", ...
std::optional<Method> MethodNamed(std::string_view name);

// A method fitted to a history: the calls of a later date at each start
// of its weekday's grid. Only asked for open weekdays.
class DayForecaster {
public:
    virtual ~DayForecaster() = default;
    virtual std::vector<double> Calls(std::int32_t day) const = 0;
};

std::unique_ptr<DayForecaster> MakeForecaster(Method method, const DayBook& book);

// The methods, each fitted to the book.
std::unique_ptr<DayForecaster> MakeLevelProfile(const DayBook& book);
std::unique_ptr<DayForecaster> MakeHoltWinters(const DayBook& book);

}  // namespace corvane::forecasting
