// Every input field's check on any text: it decides without throwing, an
// accepted number lies in the field's range, a refusal always says why.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_marks.h"
#include "model/input_fields.h"

using namespace corvane;

namespace {

void Require(bool ok) {
    if (!ok) std::abort();
}

const model::InputField* const kFields[] = {&model::kTalkField,   &model::kAcwField,
                                            &model::kCallsField,  &model::kSloField,
                                            &model::kErlangField, &model::kBusyField};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const model::InputField& field = *kFields[data[0] % 6];
    const NumberMarks marks = FuzzMarks(data[0] / 6);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const model::FieldCheck check = model::CheckField(field, text, marks);
    Require(check.accepted != check.message.has_value());
    if (check.accepted && check.store)
        Require(*check.store >= field.low && *check.store <= field.high);
    if (check.rewrite) Require(check.accepted && !check.rewrite->empty());
    return 0;
}
