#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "model/input_fields.h"

namespace corvane::model {
namespace {

TEST(FieldChecks, EveryFieldByItsTable) {
    struct Case {
        const InputField& field;
        const char* text;
        bool accepted;
        std::optional<double> store;  // none: the stored number is kept
        const char* message;          // "": none
        const char* rewrite;          // "": the text is kept
    };
    const Case cases[] = {
        {kTalkField, "1800", true, 1800, "", ""},
        {kTalkField, "1801", false, 0, "Entry must be 1-1800", ""},
        {kTalkField, "12.5", true, 12, "", ""},  // halves to even; the text stays 12.5
        {kTalkField, "0.5", false, 0, "Entry must be 1-1800", ""},
        {kTalkField, "1800.5", true, 1800, "", ""},
        {kTalkField, "1801.5", false, 0, "Entry must be 1-1800", ""},
        {kTalkField, "0", false, 0, "Entry must be 1-1800", ""},
        // Beyond 16 bits: refused with the range message, the stored number kept.
        {kTalkField, "40000", false, std::nullopt, "Entry must be 1-1800", ""},
        {kTalkField, "", true, std::nullopt, "", ""},
        {kTalkField, "   ", true, std::nullopt, "", ""},
        {kAcwField, "0", true, 0, "", ""},
        {kAcwField, "1801", false, 0, "Value must be 0-1800", ""},
        {kAcwField, "99999", false, std::nullopt, "Value must be 0-1800", ""},
        {kCallsField, "abc", false, std::nullopt, "Entry 'abc' is not valid", ""},
        {kCallsField, "0", false, 0, "Entry must be 1-30000", ""},
        {kCallsField, "30,000", true, 30000, "", ""},
        {kCallsField, "32767", false, 0, "Entry must be 1-30000", ""},
        {kCallsField, "40000", false, std::nullopt, "Entry must be 1-30000", ""},
        {kSloField, "-5", false, 0, "Entry must be 0-600", ""},
        {kSloField, "0", true, 0, "", ""},
        {kSloField, "600", true, 600, "", ""},
        {kSloField, " 1a ", false, std::nullopt, "Entry ' 1a ' is not valid", ""},
        {kSloField, "70000", false, std::nullopt, "Entry must be 0-600", ""},
        // Trunk fields keep an out-of-range number and show an accepted one
        // in their pattern.
        {kErlangField, "0.1", true, 0.1, "", "0.1"},
        {kErlangField, "699.9", true, 699.9, "", "699.9"},
        {kErlangField, "0.05", false, 0.05, "Value must be between 0.1 and 699.9", ""},
        {kErlangField, "699.91", false, 699.91, "Value must be between 0.1 and 699.9", ""},
        {kErlangField, "5", true, 5, "", "5.0"},
        {kErlangField, "0.14", true, 0.14, "", "0.1"},
        {kErlangField, "1,234", false, 1234, "Value must be between 0.1 and 699.9", ""},
        {kErlangField, "abc", false, std::nullopt, "Entry 'abc' is not valid", ""},
        {kErlangField, "  ", true, std::nullopt, "", ""},
        {kBusyField, "0.6", true, 1, "", "1"},
        {kBusyField, "99.5", false, 100, "Value must be between 1 and 99", ""},
        {kBusyField, "2.5", true, 2, "", "2"},
        {kBusyField, "40000", false, std::nullopt, "Value must be between 1 and 99", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field.title) + " '" + c.text + "'");
        const FieldCheck check = CheckField(c.field, c.text, NumberMarks{});
        EXPECT_EQ(check.accepted, c.accepted);
        EXPECT_EQ(check.store, c.store);
        EXPECT_EQ(check.message.value_or(""), c.message);
        EXPECT_EQ(check.rewrite.value_or(""), c.rewrite);
    }
}

}  // namespace
}  // namespace corvane::model
