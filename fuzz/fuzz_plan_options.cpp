// corvane-plan's and corvane-forecast's options on any command line
// (arguments separated by NUL bytes): a refused value names its option;
// accepted options lie in their documented ranges.
#include <CLI/CLI.hpp>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "calc/plain_text.h"
#include "cli/forecast_arguments.h"
#include "cli/plan_arguments.h"
#include "input/forecast_csv.h"

using namespace corvane;

namespace {

void Require(bool ok) {
    if (!ok) std::abort();
}

// Parses the command line with `app`'s options: whether they were taken.
// A value refused names its option; other refusals (unknown options,
// help, a missing file name) are CLI11's own.
bool Parses(CLI::App& app, std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ValidationError& e) {  // "--sl: '120' must be ..."
        Require(std::string(e.what()).rfind("-", 0) == 0);
        return false;
    } catch (const CLI::Error&) {
        return false;
    }
    return true;
}

// The same command line given to corvane-forecast.
void ForecastOptions(const std::vector<std::string>& args) {
    CLI::App app;
    cli::ForecastArguments a;
    cli::DeclareForecastOptions(app, a);
    if (!Parses(app, args)) return;
    if (const auto combined = cli::CheckForecastCombinations(app); !combined)
        return Require(combined.Error().rfind("--", 0) == 0);
    const forecasting::ForecastRequest& r = a.request;
    Require(r.days >= 1 && r.days <= cli::kMostForecastDays);
    Require(app.count("--weeks") == 0 || r.days % 7 == 0);
    Require(!r.range || (*r.range > 0 && *r.range < 100));
    Require(forecasting::MethodNamed(forecasting::MethodName(r.method)) == r.method);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto require = [](bool ok) { Require(ok); };
    std::vector<std::string> args{"corvane-plan", ""};
    for (std::size_t i = 0; i < size; ++i)
        data[i] == 0 ? void(args.emplace_back()) : void(args.back() += static_cast<char>(data[i]));
    ForecastOptions(args);
    CLI::App app;
    cli::PlanArguments a;
    cli::DeclareOptions(app, a);
    if (!Parses(app, args)) return 0;
    if (const auto combined = cli::CheckCombinations(app, a); !combined)
        return require(combined.Error().rfind("--", 0) == 0), 0;
    const plan::PlanOptions& o = a.options;
    const auto percent = [](const plan::Decimal& d, bool zero, bool hundred) {
        return (zero ? d.ToDouble() >= 0 : d.ToDouble() > 0) &&
               (hundred ? d.ToDouble() <= 100 : d.ToDouble() < 100);
    };
    const auto seconds = [](int s, int min) { return s >= min && s <= plan::kMaxSeconds; };
    require(percent(o.slPercent, false, false) && seconds(o.answerSeconds, 0));
    require(percent(o.shrinkage, true, false) && seconds(o.acw, 0));
    require(o.intervalMinutes == 15 || o.intervalMinutes == 30 || o.intervalMinutes == 60);
    require(!o.asaLimit || o.asaLimit->ToDouble() > 0);
    require(!o.maxOccupancy || percent(*o.maxOccupancy, false, true));
    require((!o.talk || seconds(*o.talk, 1)) && (!o.patience || seconds(*o.patience, 1)));
    require(!o.maxAbandon || (o.patience && percent(*o.maxAbandon, false, false)));
    // The shift options only with shift types to plan with.
    require(a.shiftsPath || (!a.shiftPlanPath && !a.allowShort && a.shiftTimeLimit == 10));
    require(a.shiftTimeLimit > 0 && a.shiftTimeLimit <= 86400);
    require(!(a.shiftsPath == "-" && a.input == "-"));
    if (a.chartPath) {
        const std::string& chart = *a.chartPath;
        require(chart.size() >= 4 &&
                text::Lower(chart.substr(chart.size() - 4)) ==
                    (a.chartFormat == input::ChartFormat::Svg ? ".svg" : ".png"));
    }
    return 0;
}
