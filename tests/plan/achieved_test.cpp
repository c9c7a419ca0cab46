// What a shift plan's agents on duty achieve, against 50-digit values
// (tests/reference/achieved_reference.py): the agents on the phones, each
// interval's service level and ASA (and, with callers' patience, the share
// abandoned), and each day's call-weighted figures.
#include <gtest/gtest.h>

#include <cmath>

#include "input/label_time.h"
#include "plan/achieved.h"
#include "plan/decimal.h"
#include "support/vectors.h"

namespace corvane::plan {
namespace {

bool Near(double value, double reference) {
    return std::abs(value - reference) <= 1e-9 * std::max(1.0, std::abs(reference));
}

TEST(Achieved, IntervalsAndDaysMatchTheReference) {
    for (const auto& day : testing::Vectors("achieved-service-level")) {
        SCOPED_TRACE(day["date"].get<std::string>());
        const auto date = input::ParseDate(day["date"].get<std::string>());
        ASSERT_TRUE(date);
        AchievedTotals totals;
        for (const auto& c : day["intervals"]) {
            SCOPED_TRACE(c.dump());
            PlanOptions o;
            o.answerSeconds = day["answer"];
            o.intervalMinutes = c["minutes"];
            o.shrinkage = *ParseDecimal(c["shrinkage"].get<std::string>());
            if (day.contains("patience")) o.patience = day["patience"].get<int>();
            EXPECT_EQ(ProductiveAgents(c["on_duty"], o.shrinkage), c["productive"].get<long>());
            IntervalPlan p;
            p.input = {"t", 2, c["calls"], c["talk"], c["acw"]};
            p.input.day = *date;
            p.onDuty = c["on_duty"].get<long>();
            Achieve(p, o, totals);
            ASSERT_TRUE(p.achieved);
            EXPECT_TRUE(Near(p.achieved->serviceLevel * 100, c["service_level"])) << p.achieved->serviceLevel;
            if (c["asa"].is_null())
                EXPECT_FALSE(std::isfinite(p.achieved->asa));
            else
                EXPECT_TRUE(Near(p.achieved->asa, c["asa"])) << p.achieved->asa;
            if (c.contains("abandon")) {
                ASSERT_TRUE(p.achieved->abandon);
                EXPECT_TRUE(Near(*p.achieved->abandon * 100, c["abandon"])) << *p.achieved->abandon;
            } else {
                EXPECT_FALSE(p.achieved->abandon);
            }
        }
        const AchievedSums* sums = totals.Day(*date);
        ASSERT_TRUE(sums);
        EXPECT_TRUE(Near(*sums->ServiceLevel() * 100, day["service_level"])) << *sums->ServiceLevel();
        if (day["asa"].is_null())
            EXPECT_FALSE(sums->Asa());
        else
            EXPECT_TRUE(Near(*sums->Asa(), day["asa"]));
        if (day.contains("abandon"))
            EXPECT_TRUE(Near(*sums->Abandon() * 100, day["abandon"])) << *sums->Abandon();
        else
            EXPECT_FALSE(sums->Abandon());
    }
}

// No calls, no agents given: nothing achieved, nothing counted; whole
// agents on the phones decided exactly at the edges of the shrinkage.
TEST(Achieved, NothingWithoutCallsAndWholeAgentsOnThePhones) {
    PlanOptions o;
    IntervalPlan quiet;
    quiet.input = {"t", 2, 0, 180, 0};
    quiet.onDuty = 5;
    AchievedTotals totals;
    Achieve(quiet, o, totals);
    EXPECT_FALSE(quiet.achieved);
    EXPECT_FALSE(totals.all.ServiceLevel());
    IntervalPlan unstaffed;
    unstaffed.input = {"t", 3, 10, 180, 0};
    EXPECT_FALSE(AchievedMeasures(unstaffed, o));
    const struct {
        long onDuty;
        const char* shrinkage;
        long productive;
    } cases[] = {{30, "30", 21}, {10, "0", 10}, {3, "33.4", 1}, {3, "33.3", 2},
                 {1, "99.999999999", 0}, {0, "0", 0}, {1000000, "0.000000001", 999999}};
    for (const auto& c : cases)
        EXPECT_EQ(ProductiveAgents(c.onDuty, *ParseDecimal(c.shrinkage)), c.productive)
            << c.onDuty << " at " << c.shrinkage;
}

}  // namespace
}  // namespace corvane::plan
