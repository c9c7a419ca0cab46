#include "model/input_fields.h"

#include "calc/calc_error.h"
#include "calc/number_format.h"
#include "calc/number_parse.h"
#include "calc/utf8_text.h"

namespace corvane::model {

namespace {

// An entry as the "not valid" message quotes it: a long one is cut after
// its first characters, so the message box still fits on the screen.
std::string QuotedEntry(const std::string& text) {
    constexpr std::size_t kShown = 40;
    if (utf8::Length(text) <= kShown) return text;
    return utf8::Left(text, kShown) + "\xE2\x80\xA6";
}

}  // namespace

const InputField kTalkField{
    "Average Talk Time (Sec.)",  1,       1800, "Entry must be 1-1800", "Average Talk Time",
    InputField::Number::Whole16, nullptr, false};
const InputField kAcwField{
    "After-Call Work Time (Sec.)", 0,       1800, "Value must be 0-1800", "After-Call Work Time",
    InputField::Number::Whole16,   nullptr, false};
const InputField kCallsField{
    "Calls per Half-Hour",       1,       30000, "Entry must be 1-30000", "Calls per Half-Hour",
    InputField::Number::Whole16, nullptr, false};
const InputField kSloField{"Service Level Objective (Sec.)",
                           0,
                           600,
                           "Entry must be 0-600",
                           "Service Level Objective",
                           InputField::Number::Whole16,
                           nullptr,
                           false};
const InputField kErlangField{"(0.1-699.9)", 0.1,
                              699.9,         "Value must be between 0.1 and 699.9",
                              "Erlangs",     InputField::Number::Decimal,
                              "##0.0",       true};
const InputField kBusyField{
    "(1-99)", 1,   99, "Value must be between 1 and 99", "Busy", InputField::Number::Whole16,
    "#0",     true};

FieldCheck CheckField(const InputField& field, const std::string& text, const NumberMarks& marks) {
    FieldCheck check;
    Result<double, ErrorNumber> read = TextToDouble(text, marks);
    if (read && field.number == InputField::Number::Whole16) {
        const auto whole = TextToInt16(text, marks);
        read = whole ? Result<double, ErrorNumber>(whole.Value()) : Fail(whole.Error());
    }
    if (!read) {
        if (read.Error() == kErrTypeMismatch && IsBlank(text)) return check;
        check.accepted = false;
        check.message = read.Error() == kErrTypeMismatch
                            ? "Entry '" + QuotedEntry(text) + "' is not valid"
                            : std::string(field.rangeMessage);
        return check;
    }
    const double value = read.Value();
    if (value < field.low || value > field.high) {
        check.accepted = false;
        check.store = field.storesRefused ? value : 0.0;
        check.message = field.rangeMessage;
        return check;
    }
    check.store = value;
    if (field.shownAs) check.rewrite = FormatNumber(value, field.shownAs, marks).Value();
    return check;
}

}  // namespace corvane::model
