#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/trunk_search.h"
#include "model/staffing_run.h"
#include "model/trunk_run.h"
#include "model/window_model.h"
#include "support/worked_example.h"

namespace corvane::model {
namespace {

TEST(Views, TextsAndTheGroupsEachShows) {
    struct Case {
        View view;
        const char* text;
        bool opening, staffTable, delayTable, staffInputs, trunks;
    };
    const Case cases[] = {
        {View::None, "None", true, false, false, false, false},
        {View::Agents, "Agents", false, true, false, true, false},
        {View::Delays, "Delays", false, false, true, true, false},
        {View::Trunks, "Trunks", false, false, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_STREQ(ViewText(c.view), c.text);
        const ViewGroups g = GroupsShownBy(c.view);
        EXPECT_EQ(g.opening, c.opening);
        EXPECT_EQ(g.staffTable, c.staffTable);
        EXPECT_EQ(g.delayTable, c.delayTable);
        EXPECT_EQ(g.staffInputs, c.staffInputs);
        EXPECT_EQ(g.trunks, c.trunks);
    }
    Reports reports;
    EXPECT_EQ(reports.Of(View::None), nullptr);
    EXPECT_EQ(reports.Of(View::Delays), &reports.delays);
}

std::vector<std::string> Lines(std::initializer_list<const char* const*> parts,
                               std::initializer_list<std::size_t> sizes) {
    std::vector<std::string> out;
    auto size = sizes.begin();
    for (const char* const* part : parts) out.insert(out.end(), part, part + *size++);
    return out;
}

TEST(StaffingRun, WorkedExampleFillsBothTables) {
    using namespace corvane::testing;
    Reports reports;
    reports.agents = {"old line"};
    const auto failure = RunStaffing({"180", "30", "100", "20"}, {180, 30, 100, 20}, {}, reports);
    EXPECT_FALSE(failure);
    EXPECT_EQ(reports.agents, Lines({kWorkedStaffingHead, kWorkedStaffingRows}, {7, 9}));
    EXPECT_EQ(reports.delays, Lines({kWorkedDelayHead, kWorkedDelayRows}, {8, 9}));
}

TEST(StaffingRun, FailuresKeepTheLinesWrittenAndSpeakOnlyWhenEveryFieldHoldsText) {
    struct Case {
        StaffingEcho echo;
        StoredStaffing stored;
        std::size_t rows;  // below the head lines
        bool message;
    };
    const Case cases[] = {
        {{"1800", "0", "708", "20"}, {1800, 0, 708, 20}, 0, true},  // 708 Erlangs
        {{"1", "0", "1800", "20"}, {1, 0, 1800, 20}, 2, true},      // the 240 s count overflows
        {{"1", "0", "1800", ""}, {1, 0, 1800, 20}, 2, false},       // an empty field: silent
        {{"", "", "", ""}, {}, 0, false},     // nothing stored: no handle time
        {{" ", " ", " ", " "}, {}, 0, true},  // blanks count as text
    };
    for (const Case& c : cases) {
        Reports reports;
        const auto failure = RunStaffing(c.echo, c.stored, {}, reports);
        EXPECT_EQ(reports.agents.size(), 7 + c.rows);
        EXPECT_EQ(reports.delays.size(), 8 + c.rows);
        EXPECT_EQ(failure.has_value(), c.message);
        if (failure) {
            EXPECT_EQ(failure->text,
                      "Staff calculation failed: the specified parameters are "
                      "outside the usable range.");
            EXPECT_EQ(failure->title, "Corvane");
        }
    }
}

// Counts the search's candidates and may act at one of them, as a user
// clicking Cancel mid-run would.
class CountingHost : public TrunkSearchHost {
public:
    std::function<void(int)> atPump;
    int pumps = 0;
    std::vector<std::string> messages;
    void ServicePendingEvents() override {
        ++pumps;
        if (atPump) atPump(pumps);
    }
    void ShowMessage(const std::string& text, const std::string&) override {
        messages.push_back(text);
    }
};

TEST(TrunkRun, GroupsWithTrafficAndAllowanceAreSearchedInOrder) {
    TrunkGroups groups{};
    groups[0] = {10.0, 1, 0};
    groups[2] = {100.0, 1, 0};  // 117 trunks
    groups[3] = {5.0, 0, 9};    // no allowance: skipped, its old answer kept
    Reports reports;
    CountingHost host;
    TrunkRun run;
    std::vector<int> changedGroups;
    std::optional<RunMessage> failure;
    bool refusedSecondRun = false;
    host.atPump = [&](int n) {
        if (n == 1)
            refusedSecondRun = !run.Run(
                groups, host, {}, reports, [](int) {}, failure);
    };
    ASSERT_TRUE(run.Run(
        groups, host, {}, reports, [&](int g) { changedGroups.push_back(g); }, failure));
    EXPECT_TRUE(refusedSecondRun);
    EXPECT_FALSE(run.Active());
    EXPECT_FALSE(failure);
    EXPECT_EQ(groups[0].trunks, 18);
    EXPECT_EQ(groups[2].trunks, 117);
    EXPECT_EQ(groups[3].trunks, 9);
    EXPECT_EQ(host.pumps, 18 + 117);
    EXPECT_EQ(changedGroups, (std::vector<int>{TrunkRun::kNoGroup, 0, 2, TrunkRun::kNoGroup}));
    ASSERT_EQ(reports.trunks.size(), 4u + 2u + 1u);
    EXPECT_EQ(reports.trunks[4], "   1        10.0            1         18");
    EXPECT_EQ(reports.trunks[5], "   3       100.0            1        117");
    EXPECT_EQ(reports.trunks.back(), "\r\n");
}

TEST(TrunkRun, CancelStopsTheGroupInProgressOnly) {
    TrunkGroups groups{};
    groups[0] = {100.0, 1, 0};
    groups[1] = {10.0, 1, 0};
    CountingHost host;
    host.atPump = [](int n) {
        if (n == 25) TrunkRun::CancelGroup();
    };
    Reports reports;
    TrunkRun run;
    std::optional<RunMessage> failure;
    run.Run(
        groups, host, {}, reports, [](int) {}, failure);
    EXPECT_EQ(groups[0].trunks, 0);
    EXPECT_EQ(groups[1].trunks, 18);
    EXPECT_EQ(host.pumps, 25 + 18);
}

TEST(WindowModel, ClearingEmptiesOnlyItsOwnSide) {
    WindowModel m;
    m.staffing = {180, 30, 100, 20};
    m.trunks[1] = {10.0, 1, 18};
    m.reports = {{"a"}, {"d"}, {"t"}};
    m.ClearStaffing();
    EXPECT_EQ(m.staffing.talk + m.staffing.acw + m.staffing.calls + m.staffing.slo, 0);
    EXPECT_TRUE(m.reports.agents.empty() && m.reports.delays.empty());
    EXPECT_EQ(m.reports.trunks, std::vector<std::string>{"t"});
    m.ClearTrunks();
    EXPECT_EQ(m.trunks[1].erlangs, 0.0);
    EXPECT_TRUE(m.reports.trunks.empty());
}

}  // namespace
}  // namespace corvane::model
