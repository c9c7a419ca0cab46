#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::plan {

// A non-negative decimal held exactly: units / 10^scale. Percentages of the
// plan's options are kept this way so that shrinkage and the occupancy cap
// are decided in whole numbers, not in floating point.
struct Decimal {
    std::uint64_t units = 0;
    int scale = 0;

    double ToDouble() const;
    std::uint64_t Denominator() const;  // 10^scale
};

inline constexpr int kMaxDecimals = 9;

// "80", "12.5": as the value was typed, for titles and headings.
std::string DecimalText(const Decimal& d);

// Reads "80", "12.5", "0.25": digits, optionally a "." and more digits, no
// sign, no blanks, at most kMaxDecimals decimals and nine integer digits.
std::optional<Decimal> ParseDecimal(std::string_view text);

// Reads digits only, with blanks around them allowed. A value too large for
// any interval is capped at kWholeCap, which every range check refuses.
std::optional<std::int64_t> ParseWhole(std::string_view text);
inline constexpr std::int64_t kWholeCap = 1'000'000'000'000;

}  // namespace corvane::plan
