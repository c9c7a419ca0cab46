#include "forecasting/methods.h"

#include <array>
#include <string>

namespace corvane::forecasting {

namespace {

constexpr std::array<std::pair<Method, const char*>, 4> kNames{{
    {Method::LevelProfile, "level-profile"},
    {Method::SeasonalNaive, "seasonal-naive"},
    {Method::WeekdayMean, "weekday-mean"},
    {Method::HoltWinters, "holt-winters"},
}};

// The same interval on the last date of the weekday.
class SeasonalNaive final : public DayForecaster {
public:
    explicit SeasonalNaive(const DayBook& book) : book_(book) {}
    std::vector<double> Calls(std::int32_t day) const override {
        const auto w = static_cast<std::size_t>(input::Weekday(day));
        return SlotCalls(*book_.days[w].back(), book_.grid[w]);
    }

private:
    const DayBook& book_;
};

// The mean of the weekday's last four dates, interval by interval.
class WeekdayMean final : public DayForecaster {
public:
    explicit WeekdayMean(const DayBook& book) : book_(book) {}
    std::vector<double> Calls(std::int32_t day) const override {
        const auto w = static_cast<std::size_t>(input::Weekday(day));
        const auto days = LastOf(book_.days[w], 4);
        std::vector<double> mean(book_.grid[w].size(), 0.0);
        for (const HistoryDay* d : days) {
            const std::vector<double> calls = SlotCalls(*d, book_.grid[w]);
            for (std::size_t i = 0; i < mean.size(); ++i) mean[i] += calls[i];
        }
        for (double& m : mean) m /= static_cast<double>(days.size());
        return mean;
    }

private:
    const DayBook& book_;
};

}  // namespace

const char* MethodName(Method method) {
    for (const auto& [m, name] : kNames)
        if (m == method) return name;
    return "";
}

std::optional<Method> MethodNamed(std::string_view name) {
    for (const auto& [m, text] : kNames)
        if (name == text) return m;
    return std::nullopt;
}

std::unique_ptr<DayForecaster> MakeForecaster(Method method, const DayBook& book) {
    switch (method) {
        case Method::LevelProfile: return MakeLevelProfile(book);
        case Method::SeasonalNaive: return std::make_unique<SeasonalNaive>(book);
        case Method::WeekdayMean: return std::make_unique<WeekdayMean>(book);
        case Method::HoltWinters: return MakeHoltWinters(book);
    }
    return MakeLevelProfile(book);
}

}  // namespace corvane::forecasting
