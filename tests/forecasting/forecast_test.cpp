// Forecasts of constructed histories whose right answer follows by
// reasoning: a constant week repeats, a straight trend goes on, closed days
// stay closed, holidays are passed over.
#include <gtest/gtest.h>

#include <cmath>

#include "forecasting/call_forecast.h"
#include "history_maker.h"

namespace corvane::testing {
namespace {

using forecasting::ForecastDay;
using forecasting::Method;

// Mon..Sun totals of the week that repeats; 0 = closed.
constexpr double kWeek[] = {100, 80, 60, 70, 90, 0, 0};

std::optional<double> Weekly(int k) {
    const double t = kWeek[k % 7];
    if (t == 0) return std::nullopt;  // weekends have no rows
    return t;
}

forecasting::CallForecast Forecast(const std::string& text, Method method, int days = 14) {
    return forecasting::MakeForecast(History(text), {days, method, std::nullopt});
}

// Each forecast date: closed when `expected` gives nothing, else its four
// half-hours in the shares 1:2:3:4 of the total.
void ExpectDays(const forecasting::CallForecast& f, int firstK,
                const std::function<std::optional<double>(int)>& expected, double tolerance) {
    for (std::size_t i = 0; i < f.days.size(); ++i) {
        const ForecastDay& day = f.days[i];
        const int k = firstK + static_cast<int>(i);
        ASSERT_EQ(day.day, FirstDay() + k);
        const auto total = expected(k);
        SCOPED_TRACE(input::DateText(day.day));
        if (!total) {
            EXPECT_TRUE(day.slots.empty());
            continue;
        }
        ASSERT_EQ(day.slots.size(), 4u);
        for (int s = 0; s < 4; ++s) {
            EXPECT_EQ(day.slots[s].minute, kStarts[s]);
            EXPECT_NEAR(day.slots[s].calls, *total * kShares[s], tolerance * *total);
        }
    }
}

TEST(Forecast, AConstantWeekRepeatsByEveryMethod) {
    const std::string text = HistoryText(28, Weekly);
    for (const Method m : {Method::LevelProfile, Method::SeasonalNaive, Method::WeekdayMean,
                           Method::HoltWinters}) {
        SCOPED_TRACE(forecasting::MethodName(m));
        const auto f = Forecast(text, m);
        ASSERT_EQ(f.days.size(), 14u);
        // The last rows are a Friday's: the forecast starts on the Saturday.
        ExpectDays(f, 26, Weekly, 1e-9);
    }
}

TEST(Forecast, AStraightTrendGoesOn) {
    // Open every day, two calls more each day than the day before, for
    // eight weeks: the forecast goes on up the same line.
    const auto rising = [](int k) -> std::optional<double> { return 100.0 + 2.0 * k; };
    const auto f = Forecast(HistoryText(56, rising), Method::LevelProfile, 28);
    ExpectDays(f, 56, rising, 1e-9);
    // Falling towards nothing: the forecast stops at 0, never below.
    const auto falling = [](int k) -> std::optional<double> { return 500.0 - 8.0 * k; };
    const auto down = Forecast(HistoryText(56, falling), Method::LevelProfile, 14);
    ExpectDays(down, 56, [](int k) -> std::optional<double> { return std::max(0.0, 500.0 - 8.0 * k); },
               1e-9);
}

TEST(Forecast, ClosedDaysStayClosedAndHolidaysArePassedOver) {
    struct Case {
        const char* what;
        int days;
        DayTotal history;
        DayTotal expected;  // from the 'days'-th date on
    };
    const Case cases[] = {
        {"Saturdays written as zeros, Sundays without rows", 28,
         [](int k) -> std::optional<double> {
             if (k % 7 == 6) return std::nullopt;
             return k % 7 == 5 ? 0.0 : 100.0;
         },
         [](int k) -> std::optional<double> {
             if (k % 7 >= 5) return std::nullopt;
             return 100.0;
         }},
        {"a Monday without rows and a Wednesday of zeros among open weeks", 28,
         [](int k) -> std::optional<double> {
             if (k == 14) return std::nullopt;
             if (k == 9) return 0.0;
             return Weekly(k);
         },
         Weekly},
        {"the last Monday a holiday", 33,
         [](int k) -> std::optional<double> {
             if (k == 28) return std::nullopt;
             return Weekly(k);
         },
         Weekly},
        {"Saturdays open for three weeks, closed for the last four", 49,
         [](int k) -> std::optional<double> {
             if (k % 7 == 5) return k < 21 ? std::optional<double>(50.0) : std::nullopt;
             return Weekly(k);
         },
         Weekly},
        {"Saturdays opened in the last two of four weeks", 28,
         [](int k) -> std::optional<double> {
             if (k % 7 == 5) return k >= 14 ? std::optional<double>(50.0) : std::nullopt;
             return Weekly(k);
         },
         [](int k) -> std::optional<double> {
             if (k % 7 == 5) return 50.0;
             return Weekly(k);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const Method m : {Method::LevelProfile, Method::SeasonalNaive, Method::WeekdayMean}) {
            SCOPED_TRACE(forecasting::MethodName(m));
            const auto history = History(HistoryText(c.days, c.history));
            const auto f = forecasting::MakeForecast(history, {14, m, std::nullopt});
            ExpectDays(f, history.days.back().day - FirstDay() + 1, c.expected, 1e-9);
        }
    }
}

TEST(Forecast, ADayStillUnderWayIsLeftOutAndForecast) {
    // Four weeks of the constant week, then Monday 29 March up to 08:30
    // only (its half-hours of 09:00 and 09:30 not yet come), as an export
    // made that morning: without it the forecast is the week's, from the
    // Saturday after the last Friday, that Monday included. A day ending one
    // half-hour early is within the grace.
    std::string text = HistoryText(28, Weekly);
    text += "2027-03-29,08:00,10\n2027-03-29,08:30,20\n";
    const auto history = History(text);
    ASSERT_EQ(history.notices.size(), 1u);
    EXPECT_EQ(history.notices[0],
              "history.csv:83: 2027-03-29 ends at 08:30, where its weekday's dates before it run "
              "to 09:30: taken for a day still under way and left out; the forecast covers it");
    const auto f = forecasting::MakeForecast(history, {7, Method::LevelProfile, std::nullopt});
    ExpectDays(f, 26, Weekly, 1e-9);
    const auto almost = History(HistoryText(28, Weekly) + "2027-03-29,08:00,10\n2027-03-29,08:30,20\n"
                                                          "2027-03-29,09:00,30\n");
    EXPECT_TRUE(almost.notices.empty());
    EXPECT_EQ(almost.days.back().day, FirstDay() + 28);
}

TEST(Forecast, HandleTimesAreCallWeightedByWeekdayAndInterval) {
    // Two weeks, every day the same 4 half-hours; Mondays' first half-hour
    // has 10 calls of 100 s talk and 20 s acw in the first week and 30 calls
    // of 200 s and 40 s in the second: a Monday is forecast
    // (10x100 + 30x200) / 40 = 175 s and (10x20 + 30x40) / 40 = 35 s.
    std::string text = "Date,Time,Calls,Talk,ACW\n";
    for (int k = 0; k < 14; ++k)
        for (int s = 0; s < 4; ++s) {
            const bool monday = k % 7 == 0 && s == 0;
            const std::string row = monday ? (k == 0 ? "10,100,20" : "30,200,40") : "5,60,0";
            text += input::DateText(FirstDay() + k) + "," + input::TimeText(kStarts[s]) + "," +
                    row + "\n";
        }
    const auto f = forecasting::MakeForecast(History(text), {7, Method::LevelProfile, std::nullopt});
    ASSERT_EQ(f.handleTimes, forecasting::HandleTimes::TalkAndAcw);
    const ForecastDay& monday = f.days[0];
    ASSERT_EQ(input::Weekday(monday.day), 0);
    EXPECT_DOUBLE_EQ(monday.slots[0].talk, 175);
    EXPECT_DOUBLE_EQ(monday.slots[0].acw, 35);
    EXPECT_DOUBLE_EQ(monday.slots[1].talk, 60);
    EXPECT_DOUBLE_EQ(f.days[1].slots[0].talk, 60);
}

TEST(Forecast, TheRangeOfAnExactForecastIsPoissonsSpread) {
    // A history that repeats exactly is forecast without error in every
    // trial week: what is left is the calls' own (Poisson) spread, a gamma
    // of shape = mean. Reference: the Wilson-Hilferty approximation of its
    // quantiles, within 0.1 % for means of hundreds.
    const auto big = [](int k) -> std::optional<double> {
        const auto t = Weekly(k);
        return t ? std::optional<double>(*t * 40) : std::nullopt;
    };
    const auto f = forecasting::MakeForecast(History(HistoryText(42, big)),
                                             {7, Method::LevelProfile, 80.0});
    const double z = 1.2815515655446004;  // the standard normal's 90th percentile
    for (const ForecastDay& day : f.days)
        for (const auto& s : day.slots) {
            const double c = 1 / (9 * s.calls);
            const double low = s.calls * std::pow(1 - c - z * std::sqrt(c), 3);
            const double high = s.calls * std::pow(1 - c + z * std::sqrt(c), 3);
            EXPECT_NEAR(s.low, low, 1e-3 * s.calls);
            EXPECT_NEAR(s.high, high, 1e-3 * s.calls);
        }
}

}  // namespace
}  // namespace corvane::testing
