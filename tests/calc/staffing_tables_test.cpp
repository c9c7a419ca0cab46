#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/staffing_tables.h"
#include "support/engine_run.h"
#include "support/worked_example.h"

namespace corvane {
namespace {

struct Tables {
    std::vector<std::string> agents;
    std::vector<std::string> delays;
    int error = 0;
};

// Both tables as the window builds them: head lines, then one staffing and
// one delay line per row.
Tables BuildTables(int talk, int acw, int calls, int slo, const NumberMarks& marks = {}) {
    const StaffingEcho echo{std::to_string(talk), std::to_string(acw), std::to_string(calls),
                            std::to_string(slo)};
    const testing::EngineRun run = testing::RunEngine(talk, acw, calls, slo);
    Tables t{StaffingHeadLines(echo), DelayHeadLines(echo), run.error};
    for (const StaffingRow& r : run.rows) {
        t.agents.push_back(FormatStaffingLine(r, marks));
        t.delays.push_back(FormatDelayLine(r, marks));
    }
    return t;
}

TEST(StaffingTables, EchoTakesTheTextUnchanged) {
    const auto lines = StaffingHeadLines({"180.4", " 30 ", "", "abc"});
    EXPECT_EQ(lines[0], "Average Talk Time (Sec.)      : 180.4");
    EXPECT_EQ(lines[1], "After-Call Work Time (Sec.)   :  30 ");
    EXPECT_EQ(lines[2], "Calls per Half-Hour           : ");
    EXPECT_EQ(lines[3], "Service Level Objective (Sec.): abc");
}

TEST(StaffingTables, WorkedExample) {
    const Tables t = BuildTables(180, 30, 100, 20);
    ASSERT_EQ(t.error, 0);
    EXPECT_EQ(t.agents, testing::WorkedExample("agents"));
    EXPECT_EQ(t.delays, testing::WorkedExample("delays"));
    EXPECT_EQ(t.agents.size(), 7u + 9u);
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
