#pragma once

#include "calc/result.h"
#include "cli/forecast_arguments.h"
#include "cli/plan_run.h"

namespace corvane::cli {

// Reads the history, forecasts and writes the forecast; a refusal carries
// its exit status and a message naming the file.
Result<void, RunFault> RunForecast(const ForecastArguments& arguments);

}  // namespace corvane::cli
