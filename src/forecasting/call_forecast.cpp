#include "forecasting/call_forecast.h"

#include "forecasting/handle_times.h"
#include "forecasting/prediction_range.h"

namespace corvane::forecasting {

CallForecast MakeForecast(const CallHistory& history, const ForecastRequest& request) {
    const DayBook book = MakeDayBook(history, history.days.back().day);
    const auto forecaster = MakeForecaster(request.method, book);
    const HandleTimeTable handle = ExpectedHandleTimes(book);
    const double dispersion = request.range ? MeasuredDispersion(history, request.method) : 0;
    CallForecast forecast;
    forecast.handleTimes = history.handleTimes;
    forecast.range = request.range;
    for (int ahead = 1; ahead <= request.days; ++ahead) {
        ForecastDay day;
        day.day = book.last + ahead;
        const auto w = static_cast<std::size_t>(input::Weekday(day.day));
        if (book.open[w]) {
            const std::vector<double> calls = forecaster->Calls(day.day);
            for (std::size_t i = 0; i < calls.size(); ++i) {
                ForecastSlot slot;
                slot.minute = book.grid[w][i];
                slot.calls = calls[i];
                slot.talk = handle.talk[w][i];
                slot.acw = handle.acw[w][i];
                if (request.range) CallRange(slot.calls, dispersion, *request.range, slot.low, slot.high);
                day.slots.push_back(slot);
            }
        }
        forecast.days.push_back(std::move(day));
    }
    return forecast;
}

}  // namespace corvane::forecasting
