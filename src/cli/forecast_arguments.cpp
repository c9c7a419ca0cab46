#include "cli/forecast_arguments.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <functional>

#include "calc/plain_text.h"
#include "cli/option_checks.h"
#include "input/text_check.h"
#include "plan/option_text.h"

namespace corvane::cli {

namespace {

// A whole number from 1 to `most`, written as digits alone.
Check Count(int& into, int most, int perUnit) {
    return [&into, most, perUnit](const std::string& text) -> std::string {
        const std::string_view t = text::Trim(text);
        const std::string range = "must be a whole number from 1 to " + std::to_string(most);
        if (t.empty() || t.size() > 4 || !std::all_of(t.begin(), t.end(), text::IsDigit))
            return Refusal(text, range);
        const int n = std::stoi(std::string(t));
        if (n < 1 || n > most) return Refusal(text, range);
        into = n * perUnit;
        return {};
    };
}

}  // namespace

void DeclareForecastOptions(CLI::App& app, ForecastArguments& a) {
    forecasting::ForecastRequest& r = a.request;
    app.add_option("HISTORY", a.input,
                   "history CSV: calls per interval with dates and times, or - for standard input")
        ->required();
    AddChecked(app, "--weeks", "N", "forecast N weeks after the history's last date, 1 to 52 (default 4)",
        Count(r.days, kMostForecastDays / 7, 7));
    AddChecked(app, "--days", "N", "forecast N days instead, 1 to 366", Count(r.days, kMostForecastDays, 1));
    AddChecked(app, "--range", "P",
        "add calls_low and calls_high: the central P % range of each interval's calls",
        [&r](const std::string& text) -> std::string {
            const auto read = plan::ReadPercent(text, plan::PercentRange::AboveZeroBelowHundred);
            if (!read) return read.Error();
            r.range = read.Value().ToDouble();
            return {};
        });
    AddChecked(app, "--method", "M",
        "level-profile (default), or a standard method to compare with: seasonal-naive, "
        "weekday-mean, holt-winters",
        [&r](const std::string& text) -> std::string {
            const auto method = forecasting::MethodNamed(text);
            if (!method)
                return Refusal(text, "must be level-profile, seasonal-naive, weekday-mean or "
                                     "holt-winters");
            r.method = *method;
            return {};
        });
    AddChecked(app, "--date-order", "O",
        "dmy or mdy: how to read dates such as 03/01/2027 where nothing in the file tells",
        DateOrderCheck(a.dateOrder));
    AddChecked(app, "--format", "F", "csv (default: a forecast file corvane-plan reads) or json",
        [&a](const std::string& text) -> std::string {
            if (text == "csv")
                a.format = ForecastFormat::Csv;
            else if (text == "json")
                a.format = ForecastFormat::Json;
            else
                return Refusal(text, "must be csv or json");
            return {};
        });
    AddChecked(app, "-o", "FILE",
        "write the forecast to FILE, or - for standard output (a file is replaced only once the "
        "forecast is written whole)",
        [&a](const std::string& text) {
            a.outputPath = text;
            return std::string();
        });
}

Result<void, std::string> CheckForecastCombinations(const CLI::App& app) {
    if (app.count("--weeks") > 0 && app.count("--days") > 0)
        return Fail(std::string("--weeks and --days: give one of them (how far to forecast)"));
    return {};
}

}  // namespace corvane::cli
