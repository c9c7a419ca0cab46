// Text to number: only the overflow and type-mismatch errors may come out,
// and a whole number read back from its own text is the same number.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "calc/calc_error.h"
#include "calc/number_format.h"
#include "calc/number_parse.h"
#include "fuzz_marks.h"

using namespace corvane;

namespace {

void Require(bool ok) {
    if (!ok) std::abort();
}

template <typename F>
bool Converts(F&& convert) {
    try {
        convert();
        return true;
    } catch (const CalcError& e) {
        Require(e.Number() == kErrOverflow || e.Number() == kErrTypeMismatch);
        return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const NumberMarks marks = FuzzMarks(data[0]);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    double d = 0;
    const bool isNumber = Converts([&] { d = TextToDouble(text, marks); });
    std::int16_t i16 = 0;
    const bool is16 = Converts([&] { i16 = TextToInt16(text, marks); });
    // A whole number is a number, and reads back from its own texts: the
    // sign-position text and the grouped pattern text.
    Require(!is16 || isNumber);
    if (is16) {
        Require(TextToInt16(NumberAsText(i16), marks) == i16);
        Require(TextToInt16(FormatNumber(i16, "#,##0", marks), marks) == i16);
    }
    if (isNumber) Require(d == d);  // never NaN
    return 0;
}
