#include "calc/number_format.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "calc/calc_error.h"
#include "calc/utf8_text.h"

namespace corvane {

NumberPattern ParsePattern(std::string_view pattern) {
    NumberPattern p;
    p.minIntegerDigits = 0;
    const std::size_t dot = pattern.find('.');
    const std::string_view whole = pattern.substr(0, dot);
    for (char c : whole) {
        if (c == '0') ++p.minIntegerDigits;
        if (c == ',') p.grouping = true;
    }
    if (dot != std::string_view::npos) {
        for (char c : pattern.substr(dot + 1))
            if (c == '0' || c == '#') ++p.decimals;
    }
    return p;
}

namespace {

constexpr int kSignificant = 15;

// Rounds a magnitude to `decimals` places, a half away from zero, judged
// on its 15-significant-digit decimal form. Writes the digits of the
// rounded value times 10^decimals into `digits` (no leading zeros; empty
// for zero) and returns how many.
std::size_t ScaledDigitsExact(double magnitude, int decimals, std::string& digits) {
    digits.clear();
    if (magnitude == 0.0) return 0;
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific,
                                   kSignificant - 1);
    // buf holds "d.dddddddddddddde±XX".
    char sig[kSignificant];
    sig[0] = buf[0];
    for (int i = 1; i < kSignificant; ++i) sig[i] = buf[i + 1];
    const char* e = buf + kSignificant + 1;
    int exp10 = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), res.ptr, exp10);

    // Digit i has the place value 10^(exp10 - i); keep those at or above
    // 10^-decimals.
    const int keep = exp10 + decimals + 1;
    bool roundUp = false;
    if (keep <= 0) {
        roundUp = keep == 0 && sig[0] >= '5';
    } else if (keep >= kSignificant) {
        digits.assign(sig, kSignificant);
        digits.append(static_cast<std::size_t>(keep - kSignificant), '0');
    } else {
        digits.assign(sig, static_cast<std::size_t>(keep));
        roundUp = sig[keep] >= '5';
    }
    if (roundUp) {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }
    const std::size_t first = digits.find_first_not_of('0');
    digits.erase(0, first == std::string::npos ? digits.size() : first);
    return digits.size();
}

// The same rounding, done directly for the common case of a small value
// that is not close to a half: there the binary value and its
// 15-digit form cannot round differently.
bool ScaledDigitsFast(double magnitude, int decimals, std::string& digits) {
    static constexpr double kPow10[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
    if (decimals < 0 || decimals > 6) return false;
    const double scaled = magnitude * kPow10[decimals];
    if (!(scaled < 1e7)) return false;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-6) return false;
    const auto rounded = static_cast<std::uint32_t>(whole) + (fraction > 0.5 ? 1u : 0u);
    digits.clear();
    if (rounded == 0) return true;
    char buf[16];
    const auto res = std::to_chars(buf, buf + sizeof buf, rounded);
    digits.assign(buf, res.ptr);
    return true;
}

}  // namespace

void AppendFormattedNumber(std::string& out, double value, const NumberPattern& pattern,
                           const NumberMarks& marks) {
    assert(std::isfinite(value));
    const int decimals = pattern.decimals;
    const double magnitude = std::fabs(value);
    std::string scaled;
    if (!ScaledDigitsFast(magnitude, decimals, scaled))
        ScaledDigitsExact(magnitude, decimals, scaled);
    const bool negative = value < 0 && !scaled.empty();

    const auto d = static_cast<std::size_t>(decimals);
    if (scaled.size() < d) scaled.insert(0, d - scaled.size(), '0');
    std::size_t integerDigits = scaled.size() - d;
    const auto minDigits = static_cast<std::size_t>(pattern.minIntegerDigits);
    const std::size_t padding = integerDigits < minDigits ? minDigits - integerDigits : 0;
    const std::size_t written = integerDigits + padding;

    if (negative) out += '-';
    for (std::size_t i = 0; i < written; ++i) {
        const std::size_t remaining = written - i;
        if (pattern.grouping && i > 0 && remaining % 3 == 0) out += marks.group;
        out += i < padding ? '0' : scaled[i - padding];
    }
    if (decimals > 0) {
        out += marks.decimal;
        out.append(scaled, integerDigits, d);
    }
}

Result<std::string, ErrorNumber> FormatNumber(double value, const NumberPattern& pattern,
                                              const NumberMarks& marks) {
    if (!std::isfinite(value)) return Fail(kErrOverflow);
    std::string out;
    AppendFormattedNumber(out, value, pattern, marks);
    return out;
}

Result<std::string, ErrorNumber> FormatNumber(double value, std::string_view pattern,
                                              const NumberMarks& marks) {
    return FormatNumber(value, ParsePattern(pattern), marks);
}

std::string NumberAsText(long long value) {
    if (value < 0) return std::to_string(value);
    return " " + std::to_string(value);
}

void AppendRightAligned(std::string& out, std::string_view text, std::size_t width) {
    const std::size_t length = utf8::Length(text);
    if (length >= width) {
        out += utf8::Left(text, width);
    } else {
        out.append(width - length, ' ');
        out += text;
    }
}

std::string RightAlignInField(std::string_view text, std::size_t width) {
    std::string out;
    AppendRightAligned(out, text, width);
    return out;
}

std::size_t FieldWidth(std::string_view templateText) { return utf8::Length(templateText); }

}  // namespace corvane
