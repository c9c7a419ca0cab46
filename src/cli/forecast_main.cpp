// corvane-forecast: calls per interval for the weeks after a history, as a
// forecast file corvane-plan reads.
#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>

#include "cli/cleanup_on_signal.h"
#include "cli/error_line.h"
#include "cli/forecast_arguments.h"
#include "cli/forecast_run.h"

namespace {

using namespace corvane;

int Say(const std::string& text, int status) {
    return cli::SayError("corvane-forecast", text, status);
}

constexpr const char* kFooter = R"(
The history: a CSV of calls per interval, as forecast files are read: a calls
column and the intervals' dates and start times (one column or two), any
interval length; talk and acw (or aht) columns are forecast too. At least two
weeks. Weekdays without calls in the last four weeks stay closed; a date
missing among open ones (a holiday) is left out, not read as a quiet day.

Examples:
  corvane-forecast history.csv -o next-month.csv
  corvane-forecast --weeks 2 --range 80 history.csv | corvane-plan --sl 80/20 -

Exit status: 0 written, 1 could not write, 2 bad input (nothing written).)";

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Forecasts the calls of every interval for the weeks after a history of calls.",
                 "corvane-forecast"};
    app.footer(kFooter);
    app.get_formatter()->column_width(26);
    cli::ForecastArguments arguments;
    cli::DeclareForecastOptions(app, arguments);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::ValidationError& e) {
        return Say(e.what(), cli::kExitBadInput);
    } catch (const CLI::ParseError& e) {
        return Say(std::string(e.what()) + "\n(corvane-forecast --help lists the options)",
                   cli::kExitBadInput);
    }
    if (const auto combined = cli::CheckForecastCombinations(app); !combined)
        return Say(combined.Error(), cli::kExitBadInput);
    cli::InstallCleanupOnSignal();
    try {
        const auto run = cli::RunForecast(arguments);
        if (!run) return Say(run.Error().message, run.Error().status);
        return 0;
    } catch (const std::exception& e) {
        return Say(std::string("the forecast could not be made: ") + e.what(),
                   cli::kExitWriteFailed);
    }
}
