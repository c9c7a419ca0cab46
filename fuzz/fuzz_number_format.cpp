// Number patterns: the output is what the pattern permits, right-aligning
// keeps the field width, and the text reads back as the rounded value.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <regex>
#include <string>

#include "calc/calc_error.h"
#include "calc/number_format.h"
#include "calc/number_parse.h"
#include "calc/utf8_text.h"
#include "fuzz_marks.h"

using namespace corvane;

namespace {

const char* const kPatterns[] = {"#,##0", "##0.0", "#,##0.0", "##0", "###0", "#0", "0"};

void Require(bool ok) {
    if (!ok) std::abort();
}

std::string Escaped(const std::string& mark) {
    static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
    return std::regex_replace(mark, special, R"(\$&)");
}

// The shape: [-] digits, no leading zero, grouped in threes when asked,
// then exactly the pattern's decimals. Built once per pattern and marks.
void CheckShape(const std::string& out, const NumberPattern& p, const NumberMarks& marks) {
    const std::string integer = p.grouping
                                    ? "(0|[1-9][0-9]{0,2}(" + Escaped(marks.group) + "[0-9]{3})*)"
                                    : "(0|[1-9][0-9]*)";
    const std::string decimals =
        p.decimals > 0 ? Escaped(marks.decimal) + "[0-9]{" + std::to_string(p.decimals) + "}" : "";
    static std::map<std::string, std::regex> shapes;
    const std::string shape = "-?" + integer + decimals;
    auto it = shapes.find(shape);
    if (it == shapes.end()) it = shapes.emplace(shape, std::regex(shape)).first;
    Require(std::regex_match(out, it->second));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 11) return 0;
    double value;
    std::memcpy(&value, data, sizeof value);
    const char* pattern = kPatterns[data[8] % 7];
    const NumberMarks marks = FuzzMarks(data[9]);
    const std::size_t width = data[10] % 12;

    const NumberPattern p = ParsePattern(pattern);
    const auto formatted = FormatNumber(value, p, marks);
    if (!formatted) {
        Require(formatted.Error() == kErrOverflow && !std::isfinite(value));
        return 0;
    }
    Require(std::isfinite(value));
    const std::string& out = formatted.Value();
    CheckShape(out, p, marks);

    // It reads back as the value rounded to the shown decimals (judged on
    // 15 significant digits).
    const auto read = TextToDouble(out, marks);
    if (!read) {
        // Only where 15 significant digits round past the largest double.
        Require(read.Error() == kErrOverflow && std::fabs(value) > 1.7976931348623e308);
        return 0;
    }
    const double back = read.Value();
    const double unit = std::pow(10.0, -p.decimals);
    Require(std::fabs(back - value) <= unit * 0.5 + std::fabs(value) * 1e-14);

    const std::string field = RightAlignInField(out, width);
    Require(utf8::Length(field) == width);
    return 0;
}
