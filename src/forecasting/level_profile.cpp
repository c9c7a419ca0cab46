// The program's own method, chosen by measurement on held-out weeks (see
// scripts/forecast-compare): a date's calls are its expected day total
// spread by its weekday's intraday profile.
//  - The profile is the mean share of each interval over the weekday's last
//    26 dates: intraday shapes change slowly, and a long mean takes most of
//    the noise of single intervals out of them.
//  - The day total is a recent level times the weekday's factor: the level
//    an exponentially weighted mean (half-life 1.5 weeks, last 8 weeks) of
//    the totals divided by their factors, the factors the weekdays' means
//    over the last 6 weeks; blended 7:3 with the mean of the weekday's last
//    four totals.
//  - A trend is followed only where it stands out: a least-squares line
//    with one level per weekday and a common slope over the last 12 weeks,
//    taken when the slope is four standard errors from zero. Weaker slopes
//    cost more in held-out weeks than they gain.
#include <Eigen/Dense>

#include <algorithm>
#include <cmath>

#include "forecasting/methods.h"

namespace corvane::forecasting {

namespace {

constexpr std::size_t kProfileDates = 26;
constexpr std::int32_t kFactorDays = 42;
constexpr std::int32_t kLevelDays = 56;
constexpr std::int32_t kTrendDays = 84;
constexpr double kHalfLifeWeeks = 1.5;
constexpr double kRecentShare = 0.3;
constexpr double kTrendStandardErrors = 4;
constexpr std::size_t kLeastTrendDates = 10;

double Weeks(std::int32_t from, std::int32_t to) { return (to - from) / 7.0; }

// A least-squares line through the totals of the last 12 weeks: one level
// per open weekday and a slope per week common to all. Returns false where
// the slope does not stand out from the noise.
struct TrendLine {
    std::array<double, 7> level{};
    double slope = 0;  // calls per week
};
bool FitTrend(const DayBook& book, TrendLine& line) {
    std::vector<const HistoryDay*> dates;
    for (const HistoryDay* d : book.all)
        if (d->day > book.last - kTrendDays) dates.push_back(d);
    std::array<int, 7> column{};
    column.fill(-1);
    int columns = 0;
    for (const HistoryDay* d : dates) {
        int& c = column[static_cast<std::size_t>(input::Weekday(d->day))];
        if (c < 0) c = columns++;
    }
    const auto rows = static_cast<Eigen::Index>(dates.size());
    if (dates.size() < kLeastTrendDates ||
        Weeks(dates.front()->day, dates.back()->day) < 4 || rows <= columns + 1)
        return false;
    Eigen::MatrixXd x = Eigen::MatrixXd::Zero(rows, columns + 1);
    Eigen::VectorXd y(rows);
    for (Eigen::Index r = 0; r < rows; ++r) {
        const HistoryDay* d = dates[static_cast<std::size_t>(r)];
        x(r, column[static_cast<std::size_t>(input::Weekday(d->day))]) = 1;
        x(r, columns) = Weeks(book.last, d->day);
        y(r) = d->calls;
    }
    const Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(x);
    if (qr.rank() < columns + 1) return false;
    const Eigen::VectorXd beta = qr.solve(y);
    const Eigen::VectorXd residual = y - x * beta;
    const double variance = residual.squaredNorm() / static_cast<double>(rows - columns - 1);
    const Eigen::MatrixXd inverse = (x.transpose() * x).inverse();
    const double standardError = std::sqrt(variance * inverse(columns, columns));
    const double slope = beta(columns);
    // A series that lies on its line exactly has no error to measure by.
    const double scale = y.cwiseAbs().maxCoeff();
    if (!(std::abs(slope) > 1e-9 * scale)) return false;
    if (standardError > 1e-9 * scale && std::abs(slope) < kTrendStandardErrors * standardError)
        return false;
    for (std::size_t w = 0; w < 7; ++w)
        if (column[w] >= 0) line.level[w] = beta(column[w]);
    line.slope = slope;
    return true;
}

class LevelProfile final : public DayForecaster {
public:
    explicit LevelProfile(const DayBook& book) : book_(book) {
        for (std::size_t w = 0; w < 7; ++w)
            if (book.open[w]) profile_[w] = DayProfile(LastOf(book.days[w], kProfileDates), book.grid[w]);
        trended_ = FitTrend(book, trend_);
        if (!trended_) FitLevel();
    }

    std::vector<double> Calls(std::int32_t day) const override {
        const auto w = static_cast<std::size_t>(input::Weekday(day));
        double total = 0;
        if (trended_) {
            total = trend_.level[w] + trend_.slope * Weeks(book_.last, day);
        } else {
            double recent = 0;
            const auto lastFour = LastOf(book_.days[w], 4);
            for (const HistoryDay* d : lastFour) recent += d->calls;
            recent /= static_cast<double>(lastFour.size());
            total = (1 - kRecentShare) * level_ * factor_[w] + kRecentShare * recent;
        }
        total = std::max(total, 0.0);
        std::vector<double> calls = profile_[w];
        for (double& c : calls) c *= total;
        return calls;
    }

private:
    // The weekday factors, then the level of the totals divided by them.
    void FitLevel() {
        std::array<double, 7> sum{};
        std::array<int, 7> count{};
        double all = 0;
        int dates = 0;
        for (const HistoryDay* d : book_.all) {
            if (d->day <= book_.last - kFactorDays) continue;
            const auto w = static_cast<std::size_t>(input::Weekday(d->day));
            sum[w] += d->calls;
            ++count[w];
            all += d->calls;
            ++dates;
        }
        if (dates == 0) return;  // no date to stand on: no weekday is open
        const double mean = all / dates;
        // An open weekday had calls in the last four weeks, so it has dates
        // among the last six.
        for (std::size_t w = 0; w < 7; ++w)
            if (count[w] > 0) factor_[w] = sum[w] / count[w] / mean;
        double weighted = 0;
        double weights = 0;
        for (const HistoryDay* d : book_.all) {
            if (d->day <= book_.last - kLevelDays) continue;
            const double weight = std::exp2(Weeks(book_.last, d->day) / kHalfLifeWeeks);
            weighted += weight * d->calls / factor_[static_cast<std::size_t>(input::Weekday(d->day))];
            weights += weight;
        }
        level_ = weighted / weights;
    }

    const DayBook& book_;
    std::array<std::vector<double>, 7> profile_;
    std::array<double, 7> factor_{};
    double level_ = 0;
    TrendLine trend_;
    bool trended_ = false;
};

}  // namespace

std::unique_ptr<DayForecaster> MakeLevelProfile(const DayBook& book) {
    return std::make_unique<LevelProfile>(book);
}

}  // namespace corvane::forecasting
