#include "cli/forecast_run.h"

#include <iostream>

#include "cli/input_file.h"
#include "cli/output_file.h"
#include "cli/output_paths.h"
#include "forecasting/call_history.h"
#include "input/text_check.h"
#include "report/forecast_output.h"

namespace corvane::cli {

namespace {

RunFault HistoryFault(const input::PlanFault& fault, const InputFile& input) {
    if (input.CopyFailed()) return {kExitWriteFailed, fault.message};
    if (fault.kind == input::PlanFault::Kind::DateOrderUnknown)
        return {kExitBadInput,
                fault.message + ": give --date-order dmy (day first) or mdy (month first)"};
    return {kExitBadInput, fault.message};
}

Result<void, RunFault> Run(const ForecastArguments& a) {
    const std::string name = a.input == "-" ? "standard input" : input::Escaped(a.input);
    InputFile input(a.input, name);
    const auto history = forecasting::ReadHistory(input.FirstPass(), name, a.dateOrder);
    if (!history) return Fail(HistoryFault(history.Error(), input));
    for (const std::string& notice : history.Value().notices)
        std::cerr << "corvane-forecast: note: " << notice << '\n';
    const forecasting::CallForecast forecast = forecasting::MakeForecast(history.Value(), a.request);
    const std::string text =
        a.format == ForecastFormat::Csv
            ? report::ForecastCsv(forecast)
            : report::ForecastJson(forecast, name, forecasting::MethodName(a.request.method));
    OutputFile out;
    if (a.outputPath && *a.outputPath != "-")
        out.Open(*a.outputPath);
    else
        out.OpenStandardOutput();
    out.Write(text);
    out.Prepare();
    out.Place();
    return {};
}

}  // namespace

Result<void, RunFault> RunForecast(const ForecastArguments& a) {
    if (const auto clash = CheckPaths({{"the history", a.input}},
                                      {{a.outputPath ? "-o" : "the forecast", a.outputPath}});
        !clash)
        return Fail(RunFault{kExitBadInput, clash.Error()});
    return WithFileFaults<void>([&] { return Run(a); });
}

}  // namespace corvane::cli
