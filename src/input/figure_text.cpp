#include "input/figure_text.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <vector>

#include "calc/plain_text.h"

namespace corvane::input {

namespace {

// Why a text that is not a plain figure is refused, naming the likeliest
// slip: a grouping mark, or the other decimal mark.
std::string Why(std::string_view text, FigureMarks marks) {
    const char decimal = marks.decimal == '\0' ? '.' : marks.decimal;
    const char other = decimal == '.' ? ',' : '.';
    const auto digitsAround = [&](char mark) {
        const std::size_t at = text.find(mark);
        return at != std::string_view::npos && at > 0 && at + 1 < text.size() &&
               text::IsDigit(text[at - 1]) && text::IsDigit(text[at + 1]);
    };
    // Digits after the only `mark`, when nothing else follows them.
    const auto digitsAfter = [&](char mark) -> std::size_t {
        const std::size_t at = text.find(mark);
        if (at == std::string_view::npos || text.find(mark, at + 1) != std::string_view::npos)
            return 0;
        const std::string_view after = text.substr(at + 1);
        return std::all_of(after.begin(), after.end(), text::IsDigit) ? after.size() : 0;
    };
    const bool both = digitsAround('.') && digitsAround(',');
    if (both || std::count(text.begin(), text.end(), decimal) > 1 ||
        text.find('\'') != std::string_view::npos ||
        (text.find(' ') != std::string_view::npos && digitsAround(' ')))
        return "has a thousands separator (write figures without grouping, e.g. 1234" +
               std::string(1, decimal) + "5)";
    if (digitsAround(other)) {
        if (decimal == ',')
            return "uses '.', but a semicolon-separated file writes its decimals with ',' "
                   "(e.g. 120,4)";
        // One or two digits after a comma are no thousands group.
        if (const std::size_t n = digitsAfter(','); n > 0 && n != 3)
            return "has a decimal comma, but a comma-separated file writes its decimals with "
                   "'.' (e.g. 120.4): save the file with semicolons, or write the figure so";
        if (marks.decimal == '\0')
            return "could be read with ',' as a thousands separator or as the decimal mark: write "
                   "it without grouping (1234), or with two decimals (1,23)";
        return "has a thousands separator (write figures without grouping, e.g. 1234.5)";
    }
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        return "must not be negative or signed";
    return "is not a number";
}

// In a file that may use either mark, the one this figure uses: '.', or ','
// where no thousands group can be meant (any but three digits after it).
std::optional<char> EitherMark(std::string_view t) {
    const std::size_t dot = t.find('.');
    const std::size_t comma = t.find(',');
    if (comma == std::string_view::npos) return '.';
    if (dot != std::string_view::npos || t.find(',', comma + 1) != std::string_view::npos)
        return std::nullopt;
    const std::string_view after = t.substr(comma + 1);
    if (after.size() == 3 && comma > 0) return std::nullopt;
    return ',';
}

}  // namespace

Result<double, std::string> ParseFigure(std::string_view text, FigureMarks marks) {
    const std::string_view t = text::Trim(text);
    if (marks.decimal == '\0') {
        const auto mark = EitherMark(t);
        if (!mark) return Fail(Why(t, marks));
        marks.decimal = *mark;
    }
    std::string plain;
    plain.reserve(t.size());
    bool digits = false;
    bool mark = false;
    for (const char c : t) {
        if (text::IsDigit(c)) {
            digits = true;
            plain += c;
        } else if (c == marks.decimal && !mark) {
            mark = true;
            plain += '.';
        } else {
            return Fail(Why(t, marks));
        }
    }
    if (!digits) return Fail(t.empty() ? std::string("is empty") : Why(t, marks));
    double value = 0;
    const auto res = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (res.ec == std::errc::result_out_of_range || value > kFigureCap) return kFigureCap;
    return value;
}

Result<double, std::string> ParseDuration(std::string_view text, FigureMarks marks) {
    const std::string_view t = text::Trim(text);
    if (t.find(':') == std::string_view::npos) return ParseFigure(t, marks);
    // Whole minutes and hours, two-digit minutes and seconds after the first.
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t colon; (colon = t.find(':', start)) != std::string_view::npos;
         start = colon + 1)
        parts.push_back(t.substr(start, colon - start));
    parts.push_back(t.substr(start));
    const char* form = "is not a duration (H:MM:SS, M:SS or seconds)";
    if (parts.size() > 3) return Fail(std::string(form));
    double seconds = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        const std::string_view p = parts[i];
        if (p.empty() || (i > 0 && (p.size() < 2 || !text::IsDigit(p[0]) || !text::IsDigit(p[1]))))
            return Fail(std::string(form));
        if (!last && !std::all_of(p.begin(), p.end(), text::IsDigit))
            return Fail(std::string(form));
        const auto value = ParseFigure(p, marks);
        if (!value) return Fail(std::string(form));
        if (i > 0 && value.Value() >= 60) return Fail(std::string(form));
        seconds = seconds * 60 + value.Value();
    }
    return std::min(seconds, kFigureCap);
}

}  // namespace corvane::input
