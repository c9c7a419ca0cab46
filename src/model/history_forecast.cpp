#include "model/history_forecast.h"

#include "forecasting/call_forecast.h"
#include "input/byte_source.h"
#include "input/forecast_csv.h"
#include "report/forecast_output.h"

namespace corvane::model {

Result<HistoryForecast, input::PlanFault> ForecastFromHistory(const std::string& path,
                                                               input::DateOrder order,
                                                               std::optional<long> talk) {
    const auto text = WholeFile(path);
    if (!text) return Fail(input::PlanFault{input::PlanFault::Kind::BadInput, text.Error()});
    input::TextSource source(text.Value());
    const auto history = forecasting::ReadHistory(source, path, order);
    if (!history) return Fail(history.Error());
    if (history.Value().handleTimes == forecasting::HandleTimes::None && !talk)
        return Fail(input::PlanFault{
            input::PlanFault::Kind::NoTalkTime,
            path + ": the history has no talk column (or 'talk time', 'aht', 'handle time'), "
                   "so its forecast has none, and the plan needs one"});
    HistoryForecast made;
    made.csv = report::ForecastCsv(forecasting::MakeForecast(history.Value(), {}));
    // Read back as corvane-plan reads the saved file, so that the window's
    // plan is that file's.
    auto read = input::ReadForecast(made.csv, path + " (forecast)", {talk, 0, input::DateOrder::Unknown});
    if (!read) return Fail(read.Error());
    made.read.forecast = std::move(read.Value());
    made.read.notices = history.Value().notices;
    return made;
}

}  // namespace corvane::model
