#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "plan/decimal.h"
#include "plan/interval_plan.h"
#include "plan/shrinkage.h"
#include "support/engine_run.h"
#include "support/vectors.h"

namespace corvane::plan {
namespace {

PlanOptions Targets(Decimal sl, int seconds) {
    PlanOptions o;
    o.slPercent = sl;
    o.answerSeconds = seconds;
    return o;
}

input::ForecastRow Row(double calls, double talk, double acw) { return {"t", 2, calls, talk, acw}; }

const nlohmann::json& Cases(const char* kind) {
    static const nlohmann::json all = testing::Vectors("interval-plans");
    return all.at(kind);
}

// Plans the interval a case describes: calls, talk, acw; "sl" % within
// "slo" s (20 unless given), and the "asa" and "occupancy" limits if given.
IntervalPlan PlanCase(const nlohmann::json& c) {
    const auto decimal = [&](const char* key) {
        return ParseDecimal(c[key].get<std::string>()).value();  // throws on a mistyped case
    };
    PlanOptions o = Targets(decimal("sl"), c.value("slo", 20));
    if (c.contains("asa")) o.asaLimit = decimal("asa");
    if (c.contains("occupancy")) o.maxOccupancy = decimal("occupancy");
    return PlanInterval(Row(c["calls"], c["talk"], c["acw"]), o);
}

TEST(IntervalPlan, HalfHourRowIsTheWindowTableRow) {
    for (const auto& c : Cases("window rows")) {
        SCOPED_TRACE(c.dump());
        const auto table = testing::RunEngine(c["talk"], c["acw"], c["calls"], c["slo"]).rows;
        const double target = ParseDecimal(c["sl"].get<std::string>())->ToDouble() / 100.0;
        const StaffingRow* expected = nullptr;
        for (const StaffingRow& r : table)
            if (r.SL >= target && !expected) expected = &r;
        ASSERT_NE(expected, nullptr);
        const IntervalPlan p = PlanCase(c);
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
    while (walk.NextAgents().Value() < p.agents - 1) {
    }
    EXPECT_LT(walk.Row().Value().SL, 0.9999);  // one agent fewer misses it
}

TEST(IntervalPlan, AsaAndOccupancyTargets) {
    for (const auto& c : Cases("targets")) EXPECT_EQ(PlanCase(c).agents, c["agents"]) << c.dump();
}

TEST(IntervalPlan, NoCallsAndOutsideTheUsableRange) {
    for (const auto& c : Cases("statuses")) {
        SCOPED_TRACE(c.dump());
        const IntervalPlan p = PlanCase(c);
        EXPECT_EQ(StatusText(p.status), c["status"]);
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

// Planned side by side, every interval gets the very plan it gets alone:
// window rows, past the window's range, fractional, no calls; with a
// service level only, and with ASA and occupancy targets too.
TEST(IntervalPlan, BatchPlansAreTheSinglePlans) {
    std::vector<IntervalPlan> rows(203);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const double calls = static_cast<double>(i * 37 % 900) + (i % 5 == 0 ? 0.5 : 0.0);
        rows[i].input = Row(calls, 120 + static_cast<double>(i % 60), i % 3 ? 30 : 0);
    }
    rows[7].input = Row(708, 1800, 0);
    rows[8].input = Row(30600, 1, 0);  // at 85 % occupancy its waiting counts overflow
    PlanOptions serviceLevel = Targets({80, 0}, 20);
    serviceLevel.shrinkage = Decimal{30, 0};
    PlanOptions all = Targets({90, 0}, 15);
    all.asaLimit = Decimal{8, 0};
    all.maxOccupancy = Decimal{85, 0};
    const auto same = [](double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; };
    for (const PlanOptions& o : {serviceLevel, all}) {
        std::vector<IntervalPlan> batch = rows;
        PlanIntervals(batch.data(), batch.size(), o);
        for (const IntervalPlan& p : batch) {
            const IntervalPlan alone = PlanInterval(p.input, o);
            SCOPED_TRACE(p.input.calls);
            ASSERT_EQ(p.status, alone.status);
            EXPECT_EQ(p.agents, alone.agents);
            EXPECT_EQ(p.scheduled, alone.scheduled);
            ASSERT_EQ(p.measures.has_value(), alone.measures.has_value());
            if (p.measures) {
                EXPECT_TRUE(same(p.measures->wait, alone.measures->wait) &&
                            same(p.measures->serviceLevel, alone.measures->serviceLevel) &&
                            same(p.measures->asa, alone.measures->asa) &&
                            same(p.measures->occupancy, alone.measures->occupancy));
            }
        }
        EXPECT_EQ(batch[7].status, IntervalStatus::Planned);
        EXPECT_EQ(batch[8].status, IntervalStatus::Planned);
    }
}

// Fractional figures and traffic up to 20,000 Erlangs against 50-digit
// values (tests/reference/erlang_c_reference.py): the same agents, and the
// measures to nine digits.
TEST(IntervalPlan, AnyTrafficMatchesTheReference) {
    for (const auto& c : testing::Vectors("erlang-c-wide")) {
        SCOPED_TRACE(c.dump());
        PlanOptions o = Targets(Decimal{c["sl"].get<std::uint64_t>(), 0}, c["answer"]);
        o.intervalMinutes = c["minutes"];
        const IntervalPlan p = PlanInterval(Row(c["calls"], c["handle"], 0), o);
        ASSERT_EQ(p.status, IntervalStatus::Planned);
        EXPECT_EQ(p.agents, c["agents"].get<long>());
        const auto near = [](double value, double reference) {
            return std::abs(value - reference) <= 1e-9 * std::max(1.0, std::abs(reference));
        };
        EXPECT_TRUE(near(p.erlangs, c["erlangs"]));
        EXPECT_TRUE(near(p.measures->wait, c["wait"])) << p.measures->wait;
        EXPECT_TRUE(near(p.measures->serviceLevel, c["service_level"])) << p.measures->serviceLevel;
        EXPECT_TRUE(near(p.measures->asa, c["asa"])) << p.measures->asa;
    }
}

}  // namespace
}  // namespace corvane::plan
