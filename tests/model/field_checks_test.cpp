#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/input_fields.h"
#include "model/window_commands.h"
#include "model/window_model.h"
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

TEST(FieldChecks, AcceptedNumbersAreStoredWhereTheirFieldSays) {
    using K = WindowField::Kind;
    WindowModel m;
    for (const auto& [field, text] : {std::pair{WindowField{K::Talk}, "180"},
                                      {{K::Acw}, "30"},
                                      {{K::Calls}, "100"},
                                      {{K::Slo}, "20"},
                                      {{K::Erlangs, 3}, "12.5"},
                                      {{K::Busy, 4}, "7"},
                                      {{K::Talk}, "abc"}})  // refused: the 180 kept
        m.CheckAndStore(field, text, NumberMarks{});
    EXPECT_TRUE(m.staffing.talk == 180 && m.staffing.acw == 30 && m.staffing.calls == 100 &&
                m.staffing.slo == 20);
    EXPECT_TRUE(m.trunks[3].erlangs == 12.5 && m.trunks[4].busy == 7 && m.trunks[3].busy == 0);
}

TEST(WindowCommands, ChosenByViewAndTheFirstBlankStaffingField) {
    using C = Command;
    EXPECT_EQ((std::vector<C>{CalculateCommand(View::None), CalculateCommand(View::Agents),
                              CalculateCommand(View::Delays), CalculateCommand(View::Trunks),
                              ClearCommand(View::None), ClearCommand(View::Trunks)}),
              (std::vector<C>{C::None, C::StaffingRun, C::StaffingRun, C::TrunkRun,
                              C::ClearStaffing, C::ClearTrunks}));
    EXPECT_FALSE(FirstBlankStaffingField({"180", "0", "x", "20"}));  // text, though not a number
    const auto blank = FirstBlankStaffingField({"180", " ", "", "20"});
    ASSERT_TRUE(blank && blank->index == 1u && blank->message.title == "Validate");
    EXPECT_EQ(blank->message.text, "Please enter a value for After-Call Work Time");
}

}  // namespace
}  // namespace corvane::model
