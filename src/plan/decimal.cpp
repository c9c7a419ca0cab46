#include "plan/decimal.h"

#include <charconv>
#include <string>

#include "calc/plain_text.h"

namespace corvane::plan {

std::uint64_t Decimal::Denominator() const {
    std::uint64_t d = 1;
    for (int i = 0; i < scale; ++i) d *= 10;
    return d;
}

std::string DecimalText(const Decimal& d) {
    std::string text = std::to_string(d.units);
    if (d.scale > 0) {
        if (static_cast<int>(text.size()) <= d.scale)
            text.insert(0, d.scale + 1 - text.size(), '0');
        text.insert(text.size() - d.scale, ".");
    }
    return text;
}

double Decimal::ToDouble() const {
    // Correctly rounded: the text form goes through from_chars.
    const std::string text = DecimalText(*this);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::optional<Decimal> ParseDecimal(std::string_view text) {
    const auto dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view{} : text.substr(dot + 1);
    if (whole.empty() || whole.size() > 9) return std::nullopt;
    if (dot != std::string_view::npos && (fraction.empty() || fraction.size() > kMaxDecimals))
        return std::nullopt;
    Decimal d;
    for (const std::string_view part : {whole, fraction}) {
        for (const char c : part) {
            if (!text::IsDigit(c)) return std::nullopt;
            d.units = d.units * 10 + static_cast<std::uint64_t>(c - '0');
        }
    }
    d.scale = static_cast<int>(fraction.size());
    return d;
}

std::optional<std::int64_t> ParseWhole(std::string_view text) {
    text = text::Trim(text);
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (!text::IsDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > kWholeCap) value = kWholeCap;
    }
    return value;
}

}  // namespace corvane::plan
