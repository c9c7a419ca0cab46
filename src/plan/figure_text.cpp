#include "plan/figure_text.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "calc/plain_text.h"

namespace corvane::plan {

namespace {

// Why a text that is not a plain figure is refused, naming the likeliest
// slip: a grouping mark, or the other decimal mark.
std::string Why(std::string_view text, FigureMarks marks) {
    const char other = marks.decimal == '.' ? ',' : '.';
    const auto digitsAround = [&](char mark) {
        const std::size_t at = text.find(mark);
        return at != std::string_view::npos && at > 0 && at + 1 < text.size() &&
               text::IsDigit(text[at - 1]) && text::IsDigit(text[at + 1]);
    };
    const bool both = digitsAround('.') && digitsAround(',');
    if (both || std::count(text.begin(), text.end(), marks.decimal) > 1 ||
        text.find('\'') != std::string_view::npos ||
        (text.find(' ') != std::string_view::npos && digitsAround(' ')))
        return "has a thousands separator (write figures without grouping, e.g. 1234" +
               std::string(1, marks.decimal) + "5)";
    if (digitsAround(other)) {
        if (marks.decimal == ',')
            return "uses '.', but a semicolon-separated file writes its decimals with ',' "
                   "(e.g. 120,4)";
        return "has a thousands separator (write figures without grouping, e.g. 1234.5)";
    }
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        return "must not be negative or signed";
    return "is not a number";
}

}  // namespace

Result<double, std::string> ParseFigure(std::string_view text, FigureMarks marks) {
    const std::string_view t = text::Trim(text);
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

}  // namespace corvane::plan
