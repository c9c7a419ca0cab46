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

// Only the two errors a planner's text can give.
template <typename T>
bool Converts(const Result<T, ErrorNumber>& read) {
    if (!read) Require(read.Error() == kErrOverflow || read.Error() == kErrTypeMismatch);
    return read.Ok();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const NumberMarks marks = FuzzMarks(data[0]);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    const auto d = TextToDouble(text, marks);
    const bool isNumber = Converts(d);
    const auto i16 = TextToInt16(text, marks);
    const bool is16 = Converts(i16);
    // A whole number is a number, and reads back from its own texts: the
    // sign-position text and the grouped pattern text.
    Require(!is16 || isNumber);
    if (is16) {
        const std::int16_t n = i16.Value();
        Require(TextToInt16(NumberAsText(n), marks).Value() == n);
        Require(TextToInt16(FormatNumber(n, "#,##0", marks).Value(), marks).Value() == n);
    }
    if (isNumber) Require(d.Value() == d.Value());  // never NaN
    return 0;
}
