// A sweep over the accepted input ranges: every staffing run ends in its
// rows or in the overflow failure; nothing crashes or runs away.
#include <gtest/gtest.h>

#include "calc/staffing_tables.h"
#include "support/engine_run.h"

namespace corvane {
namespace {

TEST(StaffingSweep, OverTheAcceptedRanges) {
    int completed = 0, failed = 0;
    for (int talk : {1, 2, 5, 17, 60, 180, 599, 1200, 1800})
        for (int acw : {0, 1, 30, 300, 1800})
            for (int calls : {1, 3, 20, 100, 706, 707, 708, 2500, 12000, 30000})
                for (int slo : {0, 1, 20, 120, 599, 600}) {
                    SCOPED_TRACE(::testing::Message()
                                 << talk << "/" << acw << "/" << calls << "/" << slo);
                    const testing::EngineRun run = testing::RunEngine(talk, acw, calls, slo);
                    for (std::size_t i = 0; i < run.rows.size(); ++i) {
                        const StaffingRow& row = run.rows[i];
                        ASSERT_TRUE(i == 0 || row.N == run.rows[i - 1].N + 1);
                        ASSERT_LE(row.N, 800);  // the recursion cannot run away
                        ASSERT_EQ(FormatStaffingLine(row).size(), 66u);
                        ASSERT_EQ(FormatDelayLine(row).size(), 69u);
                    }
                    if (run.error == 0) {
                        ASSERT_FALSE(run.rows.empty());
                        ASSERT_LE(run.rows.back().P0, kStaffingStopLimit);
                        ++completed;
                    } else {
                        ASSERT_EQ(run.error, kErrOverflow);
                        ++failed;
                    }
                }
    EXPECT_GT(completed, 0);
    EXPECT_GT(failed, 0);
}

}  // namespace
}  // namespace corvane
