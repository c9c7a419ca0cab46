#include <gtest/gtest.h>

#include <vector>

#include "plan/interval_plan.h"
#include "plan/shrinkage.h"
#include "support/engine_run.h"

namespace corvane::plan {
namespace {

PlanOptions Targets(Decimal sl, int seconds) {
    PlanOptions o;
    o.slPercent = sl;
    o.answerSeconds = seconds;
    return o;
}

ForecastRow Row(long calls, long talk, long acw) { return {"t", 2, calls, talk, acw}; }

TEST(IntervalPlan, HalfHourRowIsTheWindowTableRow) {
    struct Case {
        int talk, acw, calls, slo;
        Decimal sl;
    };
    const Case cases[] = {
        {180, 30, 100, 20, {80, 0}},   // worked example: 15 agents, SL 80.3 %
        {180, 30, 100, 20, {803, 1}},  // 80.3 % asks for 16: 15 holds 80.26 %
        {180, 30, 100, 20, {10, 0}},   // the very first row
        {150, 30, 120, 20, {90, 0}},   // A = 12 exactly
        {180, 0, 1, 20, {80, 0}},      // light load: the single row, 2 agents
        {300, 60, 2500, 30, {85, 0}},  // 500 Erlangs
        {240, 0, 900, 0, {50, 0}},     // slo 0: SL = 1 - P0
        {1800, 0, 707, 20, {80, 0}},   // the top of the usable traffic
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.talk << "/" << c.acw << "/" << c.calls << "/" << c.slo);
        const auto table = testing::RunEngine(c.talk, c.acw, c.calls, c.slo).rows;  // the window's
        const double target = c.sl.ToDouble() / 100.0;
        const StaffingRow* expected = nullptr;
        for (const StaffingRow& r : table)
            if (r.SL >= target && !expected) expected = &r;
        ASSERT_NE(expected, nullptr);
        const IntervalPlan p = PlanInterval(Row(c.calls, c.talk, c.acw), Targets(c.sl, c.slo));
        ASSERT_EQ(p.status, IntervalStatus::Planned);
        EXPECT_EQ(p.agents, expected->N);
        EXPECT_EQ(p.measures->serviceLevel, expected->SL);  // the same bits
        EXPECT_EQ(p.measures->asa, expected->ASA);
        EXPECT_EQ(p.measures->occupancy, expected->OCC);
    }
}

TEST(IntervalPlan, SearchGoesPastTheTableStop) {
    // The worked example's table ends at 20 agents (P0 1.8 %); 99.99 % within
    // 20 s needs more.
    const auto table = testing::RunEngine(180, 30, 100, 20).rows;
    const IntervalPlan p = PlanInterval(Row(100, 180, 30), Targets({9999, 2}, 20));
    ASSERT_EQ(p.status, IntervalStatus::Planned);
    EXPECT_GT(p.agents, table.back().N);
    EXPECT_GE(p.measures->serviceLevel, 0.9999);
    StaffingRecursion walk({180, 30, 100, 20});
    while (walk.NextAgents() < p.agents - 1) {
    }
    EXPECT_LT(walk.Row().SL, 0.9999);  // one agent fewer misses it
}

TEST(IntervalPlan, AsaAndOccupancyTargets) {
    struct Case {
        long calls, talk, acw;
        Decimal sl;
        std::optional<Decimal> asa, occupancy;
        long agents;
    };
    const Case cases[] = {
        // Worked example: 80/20 alone gives 15 agents, ASA 17.1 s, OCC 78 %.
        {100, 180, 30, {80, 0}, std::nullopt, std::nullopt, 15},
        {100, 180, 30, {80, 0}, Decimal{10, 0}, std::nullopt, 16},    // ASA 8.3 s at 16
        {100, 180, 30, {80, 0}, Decimal{1708, 2}, std::nullopt, 15},  // 17.076 s held
        {100, 180, 30, {80, 0}, Decimal{1707, 2}, std::nullopt, 16},  // shown 17.1, still above
        {100, 180, 30, {80, 0}, std::nullopt, Decimal{75, 0}, 16},    // OCC 72.9 % at 16
        // A = 17 exactly: 20 agents are 85 % busy, and a cap is met when equal.
        {170, 180, 0, {50, 0}, std::nullopt, Decimal{85, 0}, 20},
        {170, 180, 0, {50, 0}, std::nullopt, Decimal{84999, 3}, 21},
    };
    for (const Case& c : cases) {
        PlanOptions o = Targets(c.sl, 20);
        o.asaLimit = c.asa;
        o.maxOccupancy = c.occupancy;
        const IntervalPlan p = PlanInterval(Row(c.calls, c.talk, c.acw), o);
        EXPECT_EQ(p.agents, c.agents) << c.calls << " calls";
    }
}

TEST(IntervalPlan, NoCallsAndOutsideTheUsableRange) {
    struct Case {
        long calls, talk, acw;
        int slo;
        Decimal sl;
        IntervalStatus status;
    };
    const Case cases[] = {
        {0, 180, 30, 20, {80, 0}, IntervalStatus::NoCalls},
        {708, 1800, 0, 20, {80, 0}, IntervalStatus::OutsideRange},        // 708 Erlangs
        {1, 30000, 2768, 20, {80, 0}, IntervalStatus::OutsideRange},      // H above 32767
        {3000000000L, 10, 0, 20, {80, 0}, IntervalStatus::OutsideRange},  // calls past 32 bits
        // H = 1 s: the 4-agent row overflows in its 240 s waiting count.
        {1800, 1, 0, 20, {80, 0}, IntervalStatus::Planned},
        {1800, 1, 0, 0, {9999, 2}, IntervalStatus::OutsideRange},
        // The service level itself overflows in the first row.
        {100, 1, 0, 600, {80, 0}, IntervalStatus::OutsideRange},
    };
    for (const Case& c : cases) {
        const IntervalPlan p = PlanInterval(Row(c.calls, c.talk, c.acw), Targets(c.sl, c.slo));
        EXPECT_EQ(p.status, c.status) << c.calls << " calls, talk " << c.talk;
        if (p.status != IntervalStatus::Planned) {
            EXPECT_EQ(p.agents, 0);
            EXPECT_EQ(p.scheduled, 0);
            EXPECT_FALSE(p.measures.has_value());
        }
    }
}

TEST(IntervalPlan, IntervalLengthScalesTheTraffic) {
    // 200 calls in 60 minutes are the traffic of 100 in 30.
    PlanOptions hour = Targets({80, 0}, 20);
    hour.intervalMinutes = 60;
    const IntervalPlan a = PlanInterval(Row(200, 180, 30), hour);
    const IntervalPlan b = PlanInterval(Row(100, 180, 30), Targets({80, 0}, 20));
    EXPECT_DOUBLE_EQ(a.erlangs, b.erlangs);
    EXPECT_EQ(a.agents, b.agents);
    PlanOptions quarter = Targets({80, 0}, 20);
    quarter.intervalMinutes = 15;
    EXPECT_DOUBLE_EQ(PlanInterval(Row(50, 180, 30), quarter).erlangs, b.erlangs);
}

TEST(Shrinkage, ScheduledAgentsAreDecidedExactly) {
    struct Case {
        long agents;
        Decimal shrinkage;
        long scheduled;
    };
    // The last: a billionth of a percent still asks for one more.
    const Case cases[] = {
        {14, {30, 0}, 20}, {21, {30, 0}, 30}, {0, {30, 0}, 0},         {10, {0, 0}, 10},
        {7, {125, 1}, 8},  {3, {333, 1}, 5},  {1, {99999, 3}, 100000}, {100, {1, 9}, 101},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScheduledAgents(c.agents, c.shrinkage), c.scheduled)
            << c.agents << " at " << DecimalText(c.shrinkage) << " %";
}

}  // namespace
}  // namespace corvane::plan
