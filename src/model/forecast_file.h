#pragma once

#include <cstddef>
#include <string>

#include "calc/result.h"
#include "plan/forecast.h"
#include "shifts/shift_type.h"

namespace corvane::model {

// The window holds a plan whole: files past these are planned with
// corvane-plan, which streams them.
inline constexpr std::size_t kMaxForecastBytes = std::size_t{64} << 20;
inline constexpr std::size_t kMaxWindowRows = std::size_t{1} << 17;

// A forecast CSV read whole, or why not, naming the file (and the line and
// column of bad input).
Result<plan::Forecast, std::string> ReadForecastFile(const std::string& path);

// A shifts file, the same way.
Result<shifts::ShiftFile, std::string> ReadShiftsFile(const std::string& path);

}  // namespace corvane::model
