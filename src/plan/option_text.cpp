#include "plan/option_text.h"

#include <cstdio>

#include "plan/decimal.h"
#include "plan/plan_options.h"
#include "input/text_check.h"

namespace corvane::plan {

namespace {

constexpr double kMaxShiftSeconds = 24 * 60 * 60;

std::string Refusal(const std::string& text, const std::string& why) {
    return "'" + input::Printable(text) + "' " + why;
}

}  // namespace

Result<Decimal, std::string> ReadPercent(const std::string& text, PercentRange range) {
    const auto d = ParseDecimal(text);
    if (!d) return Fail(Refusal(text, "is not a number (digits, optionally \".\" and decimals)"));
    const double v = d->ToDouble();
    const bool zeroAllowed = range == PercentRange::ZeroUpToBelowHundred;
    const bool hundredAllowed = range == PercentRange::AboveZeroUpToHundred;
    if (!(zeroAllowed ? v >= 0 : v > 0) || !(hundredAllowed ? v <= 100 : v < 100))
        return Fail(Refusal(text, std::string("must be ") +
                                      (zeroAllowed ? "at least 0" : "above 0") +
                                      (hundredAllowed ? " and at most 100" : " and below 100")));
    return *d;
}

Result<int, std::string> ReadSeconds(const std::string& text, int min) {
    const auto v = ParseWhole(text);
    if (!v || text.find_first_of(" \t") != std::string::npos)
        return Fail(Refusal(text, "is not a whole number of seconds"));
    if (*v < min || *v > kMaxSeconds)
        return Fail(Refusal(text, "must be " + std::to_string(min) + " to " +
                                      std::to_string(kMaxSeconds)));
    return static_cast<int>(*v);
}

Result<std::pair<Decimal, int>, std::string> ReadServiceTarget(const std::string& text) {
    const auto slash = text.find('/');
    if (slash == std::string::npos)
        return Fail(Refusal(text, "is not P/S (say 80/20: 80 % answered within 20 seconds)"));
    const auto percent = ReadPercent(text.substr(0, slash), PercentRange::AboveZeroBelowHundred);
    if (!percent) return Fail(percent.Error());
    const auto seconds = ReadSeconds(text.substr(slash + 1), 0);
    if (!seconds) return Fail(seconds.Error());
    return std::pair{percent.Value(), seconds.Value()};
}

Result<Decimal, std::string> ReadAsaLimit(const std::string& text) {
    const auto d = ParseDecimal(text);
    if (!d) return Fail(Refusal(text, "is not a number of seconds"));
    if (!(d->ToDouble() > 0)) return Fail(Refusal(text, "must be above 0"));
    return *d;
}

Result<int, std::string> ReadIntervalMinutes(const std::string& text) {
    if (text != "15" && text != "30" && text != "60")
        return Fail(Refusal(text, "must be 15, 30 or 60 minutes"));
    return std::stoi(text);
}

Result<double, std::string> ReadTimeLimit(const std::string& text) {
    const auto d = ParseDecimal(text);
    if (!d) return Fail(Refusal(text, "is not a number of seconds"));
    const double seconds = d->ToDouble();
    if (!(seconds > 0) || seconds > kMaxShiftSeconds)
        return Fail(Refusal(text, "must be above 0 and at most 86400 (a day)"));
    return seconds;
}

std::string TimeLimitText(double seconds) {
    // As many decimals as a typed limit may have, none trailing: the entry
    // shows the very limit in force.
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.*f", kMaxDecimals, seconds);
    std::string text = buffer;
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
}

}  // namespace corvane::plan
