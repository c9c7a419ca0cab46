// The Holt-Winters baseline: additive level, trend and weekday season on the
// daily totals of the open dates, the smoothing constants those of a grid
// that give the least squared one-step error; the totals spread by the mean
// profile of the weekday's last four dates.
#include <algorithm>
#include <array>
#include <limits>

#include "forecasting/methods.h"

namespace corvane::forecasting {

namespace {

struct Smoothing {
    double level = 0;
    double trend = 0;
    std::array<double, 7> season{};
    double error = 0;  // sum of squared one-step errors after the first two weeks
};

constexpr std::size_t kStartDates = 10;

Smoothing Run(const std::vector<const HistoryDay*>& dates, double alpha, double beta,
              double gamma) {
    Smoothing s;
    const std::size_t start = std::min(kStartDates, dates.size());
    for (std::size_t i = 0; i < start; ++i) s.level += dates[i]->calls;
    s.level /= static_cast<double>(start);
    std::array<double, 7> sum{};
    std::array<int, 7> count{};
    for (std::size_t i = 0; i < start; ++i) {
        const auto w = static_cast<std::size_t>(input::Weekday(dates[i]->day));
        sum[w] += dates[i]->calls;
        ++count[w];
    }
    for (std::size_t w = 0; w < 7; ++w)
        if (count[w] > 0) s.season[w] = sum[w] / count[w] - s.level;
    for (std::size_t i = 0; i < dates.size(); ++i) {
        const auto w = static_cast<std::size_t>(input::Weekday(dates[i]->day));
        const double y = dates[i]->calls;
        const double predicted = s.level + s.trend + s.season[w];
        if (i >= start) s.error += (y - predicted) * (y - predicted);
        const double before = s.level;
        s.level = alpha * (y - s.season[w]) + (1 - alpha) * (s.level + s.trend);
        s.trend = beta * (s.level - before) + (1 - beta) * s.trend;
        s.season[w] = gamma * (y - s.level) + (1 - gamma) * s.season[w];
    }
    return s;
}

class HoltWinters final : public DayForecaster {
public:
    explicit HoltWinters(const DayBook& book) : book_(book) {
        double best = std::numeric_limits<double>::infinity();
        for (const double alpha : {0.05, 0.1, 0.2, 0.3, 0.5, 0.7})
            for (const double beta : {0.0, 0.01, 0.05, 0.1})
                for (const double gamma : {0.01, 0.05, 0.1, 0.2, 0.4}) {
                    const Smoothing s = Run(book.all, alpha, beta, gamma);
                    if (s.error < best) {
                        best = s.error;
                        fitted_ = s;
                    }
                }
        for (std::size_t w = 0; w < 7; ++w)
            if (book.open[w]) profile_[w] = DayProfile(LastOf(book.days[w], 4), book.grid[w]);
    }

    std::vector<double> Calls(std::int32_t day) const override {
        const auto w = static_cast<std::size_t>(input::Weekday(day));
        // Steps ahead are counted in open dates, as the series runs.
        int steps = 0;
        for (std::int32_t d = book_.all.back()->day + 1; d <= day; ++d)
            if (book_.open[static_cast<std::size_t>(input::Weekday(d))]) ++steps;
        const double total = std::max(0.0, fitted_.level + steps * fitted_.trend + fitted_.season[w]);
        std::vector<double> calls = profile_[w];
        for (double& c : calls) c *= total;
        return calls;
    }

private:
    const DayBook& book_;
    Smoothing fitted_;
    std::array<std::vector<double>, 7> profile_;
};

}  // namespace

std::unique_ptr<DayForecaster> MakeHoltWinters(const DayBook& book) {
    return std::make_unique<HoltWinters>(book);
}

}  // namespace corvane::forecasting
