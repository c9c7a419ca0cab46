// A history of calls: any text is a history or refused, never a crash; what
// is forecast from it is finite, never negative, above its range's low end, and a
// forecast file the planner reads back interval for interval.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "forecasting/call_forecast.h"
#include "input/forecast_csv.h"
#include "report/forecast_output.h"

namespace {

void Require(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    if (size < 1) return 0;
    // The first byte picks the method and the range.
    const auto method = static_cast<forecasting::Method>(data[0] % 4);
    const bool ranged = (data[0] & 4) != 0;
    input::TextSource source(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    const auto history =
        forecasting::ReadHistory(source, "history.csv", input::DateOrder::DayFirst);
    if (!history) {
        Require(!history.Error().message.empty());
        return 0;
    }
    const forecasting::CallForecast forecast = forecasting::MakeForecast(
        history.Value(), {9, method, ranged ? std::optional<double>(80) : std::nullopt});
    Require(forecast.days.size() == 9);
    std::size_t rows = 0;
    for (const forecasting::ForecastDay& day : forecast.days)
        for (const forecasting::ForecastSlot& s : day.slots) {
            ++rows;
            Require(std::isfinite(s.calls) && s.calls >= 0);
            Require(std::isfinite(s.talk) && s.talk >= 0 && std::isfinite(s.acw) && s.acw >= 0);
            // A count's 90th percentile may lie below its mean (a tenth of a
            // call is most often none); its 10th never above it.
            if (ranged)
                Require(std::isfinite(s.high) && s.low >= 0 && s.low <= s.calls * (1 + 1e-9) &&
                        s.low <= s.high);
        }
    const std::string text = report::ForecastCsv(forecast);
    if (rows == 0) return 0;
    const auto again = input::ReadForecast(text, "forecast.csv", {0L, 0, input::DateOrder::Unknown});
    Require(again && again.Value().rows.size() == rows);
    return 0;
}
