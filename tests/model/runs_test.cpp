#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/staffing_run.h"
#include "model/trunk_run.h"
#include "model/window_model.h"
#include "support/recording_host.h"
#include "support/vectors.h"

namespace corvane::model {
namespace {

// The table text itself is the staffing tables' (their own tests); here,
// the run's decisions: which failures speak, and that lines stay.
TEST(StaffingRun, FailuresKeepTheLinesWrittenAndSpeakOnlyWhenEveryFieldHoldsText) {
    struct Case {
        StaffingEcho echo;
        StoredStaffing stored;
        std::size_t rows;  // below the head lines
        bool message;
    };
    const Case cases[] = {
        {{"180", "30", "100", "20"}, {180, 30, 100, 20}, 9, false},  // the worked example
        {{"1800", "0", "708", "20"}, {1800, 0, 708, 20}, 0, true},   // 708 Erlangs
        {{"1", "0", "1800", "20"}, {1, 0, 1800, 20}, 2, true},       // the 240 s count overflows
        {{"1", "0", "1800", ""}, {1, 0, 1800, 20}, 2, false},        // an empty field: silent
        {{"", "", "", ""}, {}, 0, false},                            // nothing stored
        {{" ", " ", " ", " "}, {}, 0, true},                         // blanks count as text
    };
    for (const Case& c : cases) {
        Reports reports{{"old"}, {"old"}, {}};
        const auto failure = RunStaffing(c.echo, c.stored, {}, reports);
        EXPECT_EQ(reports.agents.size(), 7 + c.rows);
        EXPECT_EQ(reports.delays.size(), 8 + c.rows);
        EXPECT_EQ(reports.agents[0], "Average Talk Time (Sec.)      : " + c.echo.talk);
        ASSERT_EQ(failure.has_value(), c.message);
        if (failure) {
            EXPECT_EQ(failure->text,
                      "Staff calculation failed: the specified parameters are "
                      "outside the usable range.");
            EXPECT_EQ(failure->title, "Corvane");
        }
    }
}

TEST(TrunkRun, GroupsWithTrafficAndAllowanceAreSearchedInOrderOneRunAtATime) {
    TrunkGroups groups{};
    groups[0] = {10.0, 1, 0};
    groups[2] = {100.0, 1, 0};  // 117 trunks
    groups[3] = {5.0, 0, 9};    // no allowance: skipped, its old answer kept
    Reports reports;
    testing::RecordingHost host;
    TrunkRun run;
    std::vector<int> changed;
    bool secondRefused = false, activeDuring = false;
    host.onPump = [&](int n) {
        if (n != 1) return;
        activeDuring = run.Active();
        secondRefused = !run.Run(groups, host, {}, reports, [](int) {});
    };
    ASSERT_TRUE(run.Run(groups, host, {}, reports, [&](int g) { changed.push_back(g); }));
    EXPECT_TRUE(activeDuring && secondRefused && !run.Active() && host.messages.empty());
    EXPECT_EQ((std::vector<int>{groups[0].trunks, groups[2].trunks, groups[3].trunks}),
              (std::vector<int>{18, 117, 9}));
    EXPECT_EQ(host.pumps, 18 + 117);
    EXPECT_EQ(changed, (std::vector<int>{TrunkRun::kNoGroup, 0, 2, TrunkRun::kNoGroup}));
    ASSERT_EQ(reports.trunks.size(), 4u + 2u + 1u);
    EXPECT_EQ(reports.trunks[5], "   3       100.0            1        117");
    EXPECT_EQ(reports.trunks.back(), "\r\n");
}

TEST(TrunkRun, AFailedGroupSpeaksAtOnceACancelledOneQuietlyAndTheRunGoesOn) {
    TrunkGroups groups{};
    groups[0] = {720.0, 1, 7};  // too large: 0 trunks and its message
    groups[1] = {10.0, 1, 0};   // cancelled at its fifth candidate: 0, silently
    groups[2] = {10.0, 1, 0};   // a cancel stops only the group it is pressed in: 18
    Reports reports;
    testing::RecordingHost host;
    TrunkRun run;
    int sinceMessage = 0;
    host.onPump = [&](int) {
        if (!host.messages.empty() && ++sinceMessage == 5) run.CancelGroup();
    };
    std::vector<std::size_t> messagesWhenShown;  // as each group's line appears
    run.Run(groups, host, {}, reports, [&](int g) {
        if (g != TrunkRun::kNoGroup) messagesWhenShown.push_back(host.messages.size());
    });
    EXPECT_EQ((std::vector<int>{groups[0].trunks, groups[1].trunks, groups[2].trunks}),
              (std::vector<int>{0, 0, 18}));
    for (const auto& c : testing::Vectors("trunk-searches")) {  // the window's words for it
        if (c["erlangs"] == 720 && c["busy"] == 1) {
            EXPECT_EQ(host.messages, (decltype(host.messages){{c["message"], c["title"]}}));
        }
    }
    EXPECT_EQ(messagesWhenShown, (std::vector<std::size_t>{1, 1, 1}));
}

}  // namespace
}  // namespace corvane::model
