#include "calc/number_parse.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "calc/plain_text.h"

namespace corvane {

namespace {

bool Consume(std::string_view& text, std::string_view mark) {
    if (mark.empty() || text.substr(0, mark.size()) != mark) return false;
    text.remove_prefix(mark.size());
    return true;
}

double RoundHalfEven(double x) {
    const double floor = std::floor(x);
    const double diff = x - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

}  // namespace

bool IsBlank(std::string_view text) { return text::Trim(text).empty(); }

Result<double, ErrorNumber> TextToDouble(std::string_view text, const NumberMarks& marks) {
    std::string_view rest = text::Trim(text);
    // A plain ASCII form for the locale-independent reader.
    std::string plain;
    plain.reserve(rest.size());
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        if (rest.front() == '-') plain += '-';
        rest.remove_prefix(1);
    }
    bool anyDigit = false;
    bool inFraction = false;
    while (!rest.empty()) {
        const char c = rest.front();
        if (text::IsDigit(c)) {
            plain += c;
            anyDigit = true;
            rest.remove_prefix(1);
        } else if (!inFraction && Consume(rest, marks.decimal)) {
            plain += '.';
            inFraction = true;
        } else if (!inFraction && anyDigit && Consume(rest, marks.group)) {
            // Grouping marks are allowed among the whole digits.
        } else {
            return Fail(kErrTypeMismatch);
        }
    }
    if (!anyDigit) return Fail(kErrTypeMismatch);

    double value = 0.0;
    const char* first = plain.data();
    const char* last = plain.data() + plain.size();
    const auto res = std::from_chars(first, last, value, std::chars_format::fixed);
    if (res.ec == std::errc::result_out_of_range) {
        // Too large is an overflow; too small to represent is zero.
        const bool tooLarge = plain.find_first_of("123456789") < plain.find('.');
        if (tooLarge) return Fail(kErrOverflow);
        return 0.0;
    }
    if (res.ec != std::errc() || res.ptr != last) return Fail(kErrTypeMismatch);
    if (!std::isfinite(value)) return Fail(kErrOverflow);
    return value;
}

Result<std::int16_t, ErrorNumber> TextToInt16(std::string_view text, const NumberMarks& marks) {
    const auto value = TextToDouble(text, marks);
    if (!value) return Fail(value.Error());
    const double rounded = RoundHalfEven(value.Value());
    if (rounded < -32768.0 || rounded > 32767.0) return Fail(kErrOverflow);
    return static_cast<std::int16_t>(rounded);
}

}  // namespace corvane
