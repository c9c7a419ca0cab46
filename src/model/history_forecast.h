#pragma once

#include <optional>
#include <string>

#include "calc/result.h"
#include "input/label_time.h"
#include "input/plan_fault.h"
#include "model/forecast_file.h"

namespace corvane::model {

// A forecast the window made from a history: the forecast file as
// corvane-forecast writes it (four weeks, the program's method), and that
// file read back as any forecast is, for the plan.
struct HistoryForecast {
    std::string csv;
    ForecastRead read;
};

// Reads the history at `path` and forecasts the four weeks after it. A
// history without handle times gives a forecast without them: its plan
// needs `talk` (the fault's kind says so, as for a forecast file).
Result<HistoryForecast, input::PlanFault> ForecastFromHistory(const std::string& path,
                                                               input::DateOrder order,
                                                               std::optional<long> talk);

}  // namespace corvane::model
