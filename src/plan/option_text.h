#pragma once

#include <string>
#include <utility>

#include "calc/result.h"
#include "plan/decimal.h"

namespace corvane::plan {

// Each reads the text a planner gives one setting of a plan, or says why
// it refuses it: "'120' must be above 0 and below 100".

// Where a percentage may lie.
enum class PercentRange { AboveZeroBelowHundred, AboveZeroUpToHundred, ZeroUpToBelowHundred };

Result<Decimal, std::string> ReadPercent(const std::string& text, PercentRange range);

// Whole seconds, `min` to the engine's 32767.
Result<int, std::string> ReadSeconds(const std::string& text, int min);

// "80/20": P % of calls answered within S seconds.
Result<std::pair<Decimal, int>, std::string> ReadServiceTarget(const std::string& text);

// An average speed of answer limit: seconds, above 0.
Result<Decimal, std::string> ReadAsaLimit(const std::string& text);

// 15, 30 or 60 minutes.
Result<int, std::string> ReadIntervalMinutes(const std::string& text);

// The shift solver's time: seconds, above 0 and at most a day.
Result<double, std::string> ReadTimeLimit(const std::string& text);
// A time limit as its entry shows it: "10", "2.5".
std::string TimeLimitText(double seconds);

}  // namespace corvane::plan
