#include "model/history_forecast.h"

#include "forecasting/call_forecast.h"
#include "input/byte_source.h"
#include "input/forecast_csv.h"
#include "report/forecast_output.h"

namespace corvane::model {

Result<HistoryForecast, input::PlanFault> ForecastFromHistory(const std::string& path,
                                                               input::DateOrder order,
                                                               std::optional<long> talk) {
    const auto text = Contents(path);
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
    const std::string name = path + " (forecast)";
    input::TextSource written(made.csv);
    input::ForecastReader reader(written, name, {talk, 0, input::DateOrder::Unknown});
    made.read.forecast.name = name;
    for (input::ForecastRow row;;) {
        const auto more = reader.Next(row);
        if (!more) return Fail(more.Error());
        if (!more.Value()) break;
        made.read.forecast.rows.push_back(std::move(row));
    }
    return made;
}

}  // namespace corvane::model
