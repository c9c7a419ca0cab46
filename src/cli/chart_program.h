#pragma once

#include <string>

#include "calc/result.h"
#include "input/chart_data.h"

namespace corvane::cli {

// Draws a chart with the corvane-chart program, which lies beside
// corvane-plan (in the build tree) or in the installed program directory:
// only it loads Qt. The chart's bytes, or why there are none.
Result<std::string, std::string> DrawChart(const input::ChartData& data, input::ChartFormat format);

}  // namespace corvane::cli
