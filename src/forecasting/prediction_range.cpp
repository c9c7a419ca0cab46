#include "forecasting/prediction_range.h"

#include <boost/math/distributions/gamma.hpp>
#include <boost/math/distributions/normal.hpp>

#include <algorithm>
#include <cmath>
#include <exception>

namespace corvane::forecasting {

namespace {

constexpr int kTrialWeeks = 4;
constexpr double kNormalShape = 1e6;

}  // namespace

double MeasuredDispersion(const CallHistory& history, Method method) {
    const std::int32_t first = history.days.front().day;
    const std::int32_t last = history.days.back().day;
    double excess = 0;  // sum of (actual - forecast)² - forecast
    double squares = 0;  // sum of forecast²
    for (int week = 1; week <= kTrialWeeks; ++week) {
        const std::int32_t cut = last - 7 * week;
        if (cut - first + 1 < kLeastHistoryDays) break;
        const DayBook book = MakeDayBook(history, cut);
        const auto forecaster = MakeForecaster(method, book);
        for (const HistoryDay& d : history.days) {
            const auto w = static_cast<std::size_t>(input::Weekday(d.day));
            if (d.day <= book.last || !book.open[w] || !(d.calls > 0)) continue;
            const std::vector<double> forecast = forecaster->Calls(d.day);
            const std::vector<double> actual = SlotCalls(d, book.grid[w]);
            for (std::size_t i = 0; i < forecast.size(); ++i) {
                const double miss = actual[i] - forecast[i];
                excess += miss * miss - forecast[i];
                squares += forecast[i] * forecast[i];
            }
        }
    }
    return squares > 0 ? std::max(0.0, excess / squares) : 0.0;
}

void CallRange(double calls, double dispersion, double percent, double& low, double& high) {
    low = high = 0;
    if (!(calls > 0)) return;
    const double scale = 1 + dispersion * calls;
    const double shape = calls / scale;
    const double tail = (1 - percent / 100) / 2;
    // Past a million the gamma is the normal of its mean and variance to
    // far better than a call (and its series no longer converge).
    const auto normal = [&] {
        const double z = boost::math::quantile(boost::math::normal_distribution<double>(), 1 - tail);
        const double spread = std::sqrt(calls * scale);
        low = std::max(0.0, calls - z * spread);
        high = calls + z * spread;
    };
    if (shape > kNormalShape) return normal();
    try {
        const boost::math::gamma_distribution<double> spread(shape, scale);
        low = boost::math::quantile(spread, tail);
        high = boost::math::quantile(boost::math::complement(spread, tail));
    } catch (const std::exception&) {  // a series that does not converge
        normal();
    }
}

}  // namespace corvane::forecasting
