#pragma once

#include <optional>
#include <string>

#include "calc/result.h"
#include "forecasting/call_forecast.h"
#include "input/label_time.h"

namespace CLI {
class App;
}

namespace corvane::cli {

enum class ForecastFormat { Csv, Json };

// What corvane-forecast's command line asked for, checked.
struct ForecastArguments {
    std::string input;  // a path, or "-" for standard input
    forecasting::ForecastRequest request;
    input::DateOrder dateOrder = input::DateOrder::Unknown;
    ForecastFormat format = ForecastFormat::Csv;
    std::optional<std::string> outputPath;
};

// The longest forecast asked for: a year ahead of any history is a guess.
inline constexpr int kMostForecastDays = 366;

// Declares the options on `app`, each read into `a` where it is declared;
// a refusal reaches the user as "--option: 'value' why".
void DeclareForecastOptions(CLI::App& app, ForecastArguments& a);

// What single options cannot say: --weeks and --days together.
Result<void, std::string> CheckForecastCombinations(const CLI::App& app);

}  // namespace corvane::cli
