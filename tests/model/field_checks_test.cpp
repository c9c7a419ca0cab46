#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "model/input_fields.h"
#include "support/vectors.h"

namespace corvane::model {
namespace {

TEST(FieldChecks, EveryFieldByItsTable) {
    const std::map<std::string, const InputField*> fields = {
        {"talk", &kTalkField}, {"acw", &kAcwField},        {"calls", &kCallsField},
        {"slo", &kSloField},   {"erlangs", &kErlangField}, {"busy", &kBusyField}};
    for (const auto& c : testing::Vectors("field-checks")) {
        SCOPED_TRACE(c.dump());
        const FieldCheck check = CheckField(*fields.at(c["field"]), c["text"], NumberMarks{});
        EXPECT_EQ(check.accepted, c["accepted"].get<bool>());
        // No stored number: the one stored before is kept. No message or
        // rewrite: none, or the text is kept.
        EXPECT_EQ(check.store,
                  c.contains("store") ? std::optional(c["store"].get<double>()) : std::nullopt);
        EXPECT_EQ(check.message.value_or(""), c.value("message", ""));
        EXPECT_EQ(check.rewrite.value_or(""), c.value("rewrite", ""));
    }
}

}  // namespace
}  // namespace corvane::model
