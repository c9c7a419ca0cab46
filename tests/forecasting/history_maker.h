// Histories made to order: a day's calls by date, spread over four
// half-hours in the shares 1:2:3:4, so that every forecast of them can be
// worked out by hand.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "forecasting/call_history.h"
#include "input/byte_source.h"
#include "input/label_time.h"

namespace corvane::testing {

inline constexpr int kStarts[] = {8 * 60, 8 * 60 + 30, 9 * 60, 9 * 60 + 30};
inline constexpr double kShares[] = {0.1, 0.2, 0.3, 0.4};

// 2027-03-01, a Monday.
inline std::int32_t FirstDay() { return input::DayNumber({2027, 3, 1}); }

// `total(k)` is the calls of the k-th date from FirstDay(); no value: the
// date has no rows.
using DayTotal = std::function<std::optional<double>(int k)>;

inline std::string HistoryText(int days, const DayTotal& total) {
    std::string text = "Date,Time,Calls\n";
    for (int k = 0; k < days; ++k) {
        const auto calls = total(k);
        if (!calls) continue;
        for (int i = 0; i < 4; ++i)
            text += input::DateText(FirstDay() + k) + "," + input::TimeText(kStarts[i]) + "," +
                    std::to_string(*calls * kShares[i]) + "\n";
    }
    return text;
}

inline forecasting::CallHistory History(const std::string& text) {
    input::TextSource source(text);
    auto read = forecasting::ReadHistory(source, "history.csv", input::DateOrder::Unknown);
    if (!read) throw std::runtime_error(read.Error().message);
    return std::move(read.Value());
}

}  // namespace corvane::testing
