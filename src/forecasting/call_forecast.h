#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calc/result.h"
#include "forecasting/call_history.h"
#include "forecasting/methods.h"

namespace corvane::forecasting {

// One forecast interval: its start, its calls, the central range asked for
// (or 0 and 0), and the handle times expected of its calls, in seconds.
struct ForecastSlot {
    int minute = 0;
    double calls = 0;
    double low = 0;
    double high = 0;
    double talk = 0;
    double acw = 0;
};

// A forecast date; a closed one has no intervals.
struct ForecastDay {
    std::int32_t day = 0;
    std::vector<ForecastSlot> slots;
};

struct ForecastRequest {
    int days = 28;                     // after the history's last date
    Method method = Method::LevelProfile;
    std::optional<double> range;       // central range, percent (0-100)
};

struct CallForecast {
    std::vector<ForecastDay> days;
    HandleTimes handleTimes = HandleTimes::None;
    std::optional<double> range;
};

CallForecast MakeForecast(const CallHistory& history, const ForecastRequest& request);

}  // namespace corvane::forecasting
