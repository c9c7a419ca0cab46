#include <gtest/gtest.h>

#include "support/engine_run.h"

namespace corvane {
namespace {

using testing::EngineRun;
using testing::RunEngine;

TEST(StaffingEngine, WorkedExample) {
    const EngineRun run = RunEngine(180, 30, 100, 20);
    ASSERT_EQ(run.error, 0);
    ASSERT_EQ(run.rows.size(), 9u);  // 12 to 20 agents (the table below)
    const StaffingRow& r = run.rows.front();
    EXPECT_NEAR(r.P0, 0.89122, 5e-6);
    EXPECT_NEAR(r.ASA, 561.47, 5e-3);
    EXPECT_NEAR(r.DLYDLY, 630.0, 1e-9);
    EXPECT_NEAR(r.Q1, 31.193, 5e-4);
    EXPECT_NEAR(r.Q2, 35.0, 1e-9);
    EXPECT_NEAR(r.SL, 0.13663, 5e-6);
    EXPECT_NEAR(r.OCC, 0.97222, 5e-6);
    EXPECT_NEAR(r.TKLD, 41.193, 5e-4);
    EXPECT_NEAR(r.waiting[0], 88.42, 5e-3);
    EXPECT_NEAR(r.waiting[11], 60.89, 5e-3);
    EXPECT_NEAR(run.rows[7].P0, 0.034, 5e-4);
    EXPECT_NEAR(run.rows[8].P0, 0.0184, 5e-5);
    // Q2 of 13 agents is 8.75 exactly on paper, a hair below as computed.
    EXPECT_EQ(run.rows[1].Q2, 8.749999999999996);
}

TEST(StaffingEngine, RowCountsAndFailures) {
    struct Case {
        int talk, acw, calls, slo;
        std::size_t rows;
        int firstAgents;
        int error;
    };
    const Case cases[] = {
        {180, 30, 100, 20, 9, 12, 0},    // worked example
        {150, 30, 120, 20, 0, 13, 0},    // A = 12 exactly: first row 13 (rows checked below)
        {180, 0, 1, 20, 1, 2, 0},        // A = 0.1: one row for 2 agents
        {1800, 0, 707, 20, 58, 708, 0},  // upper limit
        {1800, 0, 708, 20, 0, 0, 6},     // fails before any row
        {1, 0, 1800, 20, 2, 2, 6},       // 4 agents overflow the 240 s exponential
        {1, 0, 100, 600, 0, 0, 6},       // long objective fails in the first row
        {0, 0, 100, 20, 0, 0, 6},        // no handle time
        {0, 0, 100, 0, 0, 0, 6},         // no handle time, no objective
        {32767, 1, 1, 0, 0, 0, 6},       // handle time beyond 16 bits
    };
    for (const Case& c : cases) {
        const EngineRun run = RunEngine(c.talk, c.acw, c.calls, c.slo);
        SCOPED_TRACE(::testing::Message()
                     << c.talk << "/" << c.acw << "/" << c.calls << "/" << c.slo);
        EXPECT_EQ(run.error, c.error);
        if (c.rows) {
            EXPECT_EQ(run.rows.size(), c.rows);
        }
        if (!run.rows.empty()) {
            EXPECT_EQ(run.rows.front().N, c.firstAgents);
        }
    }
}

TEST(StaffingEngine, ZeroObjectiveAndSmallWaitingCounts) {
    // SL within 0 s is 1 - P(0); every waiting count is 0, 1, under 0.1,
    // or at least 1.
    const EngineRun run = RunEngine(180, 30, 100, 0);
    ASSERT_EQ(run.rows.size(), 9u);
    for (const StaffingRow& r : run.rows) {
        EXPECT_EQ(r.SL, 1.0 - r.P0);
        for (double w : r.waiting) EXPECT_TRUE(w == 0.0 || w == 1.0 || w < 0.1 || w >= 1.0) << w;
    }
}

}  // namespace
}  // namespace corvane
