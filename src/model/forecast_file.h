#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "calc/result.h"
#include "input/forecast.h"
#include "input/forecast_csv.h"
#include "input/plan_fault.h"
#include "shifts/shift_type.h"

namespace corvane::model {

// The window holds a plan whole: files past these are planned with
// corvane-plan, which streams them.
inline constexpr std::size_t kMaxForecastBytes = std::size_t{64} << 20;
inline constexpr std::size_t kMaxWindowRows = std::size_t{1} << 17;

// A forecast read whole, with what the reader decided that the planner
// should know (title lines skipped, the column planned).
struct ForecastRead {
    input::Forecast forecast;
    std::vector<std::string> notices;
};

// A file the window reads, whole, or why not (a folder, too large, not
// readable), naming it.
Result<std::string, std::string> WholeFile(const std::string& path);

// A forecast CSV read whole, or why not, naming the file (and the line and
// column of bad input). The fault's kind tells a file that needs a handle
// time or a date order, which the window can ask for and read again with.
Result<ForecastRead, input::PlanFault> ReadForecastFile(const std::string& path,
                                                       const input::ForecastDefaults& defaults);

// A shifts file, the same way.
Result<shifts::ShiftFile, std::string> ReadShiftsFile(const std::string& path);

}  // namespace corvane::model
