#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/calc_error.h"
#include "calc/staffing_engine.h"
#include "calc/staffing_tables.h"
#include "support/worked_example.h"

namespace corvane {
namespace {

struct Tables {
    std::vector<std::string> agents;
    std::vector<std::string> delays;
    int error = 0;
};

// Builds both tables the way the window does: head lines, then one
// staffing and one delay line per row.
Tables BuildTables(int talk, int acw, int calls, int slo, const NumberMarks& marks = {}) {
    const StaffingEcho echo{std::to_string(talk), std::to_string(acw), std::to_string(calls),
                            std::to_string(slo)};
    Tables t;
    t.agents = StaffingHeadLines(echo);
    t.delays = DelayHeadLines(echo);
    try {
        ComputeStaffingRows({static_cast<std::int16_t>(talk), static_cast<std::int16_t>(acw), calls,
                             static_cast<std::int16_t>(slo)},
                            [&](const StaffingRow& r) {
                                t.agents.push_back(FormatStaffingLine(r, marks));
                                t.delays.push_back(FormatDelayLine(r, marks));
                            });
    } catch (const CalcError& e) {
        t.error = e.number();
    }
    return t;
}

template <std::size_t N>
std::vector<std::string> Lines(const char* const (&lines)[N]) {
    return std::vector<std::string>(std::begin(lines), std::end(lines));
}

TEST(StaffingTables, WorkedExampleHeadLines) {
    const Tables t = BuildTables(180, 30, 100, 20);
    const auto agentsHead = Lines(testing::kWorkedStaffingHead);
    const auto delaysHead = Lines(testing::kWorkedDelayHead);
    EXPECT_EQ(std::vector<std::string>(t.agents.begin(), t.agents.begin() + 7), agentsHead);
    EXPECT_EQ(std::vector<std::string>(t.delays.begin(), t.delays.begin() + 8), delaysHead);
    EXPECT_EQ(agentsHead[5].size(), 67u);
    EXPECT_EQ(agentsHead[6].size(), 68u);
    EXPECT_EQ(delaysHead[5].size(), 69u);
    EXPECT_EQ(delaysHead[6].size(), 70u);
    EXPECT_EQ(delaysHead[7].size(), 70u);
}

TEST(StaffingTables, EchoTakesTheTextUnchanged) {
    const auto lines = StaffingHeadLines({"180.4", " 30 ", "", "abc"});
    EXPECT_EQ(lines[0], "Average Talk Time (Sec.)      : 180.4");
    EXPECT_EQ(lines[1], "After-Call Work Time (Sec.)   :  30 ");
    EXPECT_EQ(lines[2], "Calls per Half-Hour           : ");
    EXPECT_EQ(lines[3], "Service Level Objective (Sec.): abc");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(lines[static_cast<std::size_t>(i)][30], ':');
}

TEST(StaffingTables, WorkedExampleRows) {
    const Tables t = BuildTables(180, 30, 100, 20);
    ASSERT_EQ(t.error, 0);
    const auto staffing = Lines(testing::kWorkedStaffingRows);
    const auto delays = Lines(testing::kWorkedDelayRows);
    EXPECT_EQ(std::vector<std::string>(t.agents.begin() + 7, t.agents.end()), staffing);
    EXPECT_EQ(std::vector<std::string>(t.delays.begin() + 8, t.delays.end()), delays);
    for (const auto& line : staffing) EXPECT_EQ(line.size(), 66u);
    for (const auto& line : delays) EXPECT_EQ(line.size(), 69u);
}

TEST(StaffingTables, LongValuesAreCutAtTheirRightEnd) {
    const Tables upper = BuildTables(1800, 0, 707, 20);
    ASSERT_EQ(upper.error, 0);
    EXPECT_EQ(upper.agents[7],
              "  708    95.4 1,717.4 1,800.0    674.6    707.0     6   100 1,381.");
    EXPECT_EQ(upper.agents.size(), 7u + 58u);

    const Tables busy = BuildTables(42, 0, 30000, 20);
    ASSERT_EQ(busy.error, 0);
    EXPECT_EQ(busy.delays[8],
              "  701  41 2540 2255 2002 1777 1400 1104 8702 6858 3357 1644  394   94");
}

TEST(StaffingTables, RegionalMarks) {
    const NumberMarks german{".", ","};
    const Tables t = BuildTables(1800, 0, 707, 20, german);
    EXPECT_EQ(t.agents[7], "  708    95,4 1.717,4 1.800,0    674,6    707,0     6   100 1.381,");
}

}  // namespace
}  // namespace corvane
