// Number patterns: the output is what the pattern permits, right-aligning
// keeps the field width, and the text reads back as the rounded value.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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

bool StartsWith(const std::string& s, std::size_t at, const std::string& part) {
    return s.compare(at, part.size(), part) == 0;
}

// Checks the shape: [-] digits (grouped in threes when asked) [decimal digits].
void CheckShape(const std::string& out, const NumberPattern& p, const NumberMarks& marks) {
    std::size_t at = 0;
    if (at < out.size() && out[at] == '-') ++at;
    std::string integer;
    std::size_t sinceGroup = 0;
    bool grouped = false;
    while (at < out.size()) {
        if (out[at] >= '0' && out[at] <= '9') {
            integer += out[at++];
            ++sinceGroup;
        } else if (p.grouping && StartsWith(out, at, marks.group)) {
            Require(!integer.empty() && (grouped ? sinceGroup == 3 : sinceGroup <= 3));
            grouped = true;
            sinceGroup = 0;
            at += marks.group.size();
        } else {
            break;
        }
    }
    if (grouped) Require(sinceGroup == 3);
    if (!p.grouping) Require(!grouped);
    Require(static_cast<int>(integer.size()) >= p.minIntegerDigits);
    Require(integer.size() == 1 || integer[0] != '0');
    if (p.decimals > 0) {
        Require(StartsWith(out, at, marks.decimal));
        at += marks.decimal.size();
        for (int i = 0; i < p.decimals; ++i)
            Require(at < out.size() && out[at++] >= '0' && out[at - 1] <= '9');
    }
    Require(at == out.size());
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
    std::string out;
    try {
        out = FormatNumber(value, p, marks);
    } catch (const CalcError& e) {
        Require(e.number() == kErrOverflow && !std::isfinite(value));
        return 0;
    }
    Require(std::isfinite(value));
    CheckShape(out, p, marks);

    // It reads back as the value rounded to the shown decimals (judged on
    // 15 significant digits).
    double back = 0;
    try {
        back = TextToDouble(out, marks);
    } catch (const CalcError& e) {
        // Only where 15 significant digits round past the largest double.
        Require(e.number() == kErrOverflow && std::fabs(value) > 1.7976931348623e308);
        return 0;
    }
    const double unit = std::pow(10.0, -p.decimals);
    Require(std::fabs(back - value) <= unit * 0.5 + std::fabs(value) * 1e-14);

    const std::string field = RightAlignInField(out, width);
    Require(utf8::Length(field) == width);
    return 0;
}
