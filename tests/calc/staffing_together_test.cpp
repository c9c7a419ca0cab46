#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "calc/staffing_engine.h"

namespace corvane {
namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void ExpectSameRow(const StaffingMeasures& together, const StaffingRow& alone) {
    EXPECT_EQ(together.N, alone.N);
    const double a[] = {together.P0, together.ASA, together.SL, together.OCC};
    const double b[] = {alone.P0, alone.ASA, alone.SL, alone.OCC};
    for (std::size_t i = 0; i < std::size(a); ++i)
        EXPECT_TRUE(SameBits(a[i], b[i])) << "measure " << i << ": " << a[i] << " vs " << b[i];
}

// Recursions of every kind, in no order of traffic, some already moved on:
// each stepped and measured side by side gives what it gives alone, bit
// for bit, failures included, round after round.
TEST(StaffingTogether, SideBySideIsAlone) {
    struct Case {
        int talk, acw, calls, slo;
        int movedOn;  // steps taken alone before
    };
    std::vector<Case> cases = {
        {180, 30, 100, 20, 0},   // A = 11.67
        {150, 30, 120, 20, 0},   // A = 12 exactly
        {180, 0, 1, 20, 0},      // A = 0.1
        {1800, 0, 707, 20, 0},   // the window's upper limit
        {1800, 0, 708, 20, 0},   // overflows on the way
        {1, 0, 1800, 20, 0},     // the 240 s waiting count overflows
        {1, 0, 100, 600, 0},     // the service level's exponential overflows
        {0, 0, 100, 20, 0},      // no handle time
        {32767, 1, 1, 0, 0},     // handle time beyond 16 bits
        {180, 30, 100, 20, 3},   // moved past its first row
        {240, 60, 2000, 30, 5},  // A = 333.3, moved on
        {1800, 0, 700, 20, 40},  // moved on near the limit
    };
    for (int i = 0; i < 40; ++i)  // a spread of ordinary intervals
        cases.push_back({120 + 37 * i % 200, 20 + i % 30, 1 + 97 * i % 3000, 20, i % 4});

    std::vector<StaffingRecursion> together, alone;
    for (const Case& c : cases) {
        const StaffingInputs in{static_cast<std::int16_t>(c.talk), static_cast<std::int16_t>(c.acw),
                                c.calls, static_cast<std::int16_t>(c.slo), kHalfHourSeconds};
        together.emplace_back(in);
        for (int s = 0; s < c.movedOn; ++s) (void)together.back().NextAgents();
        alone.push_back(together.back());
    }
    std::vector<StaffingRecursion*> stepping;
    for (StaffingRecursion& r : together) stepping.push_back(&r);
    const std::vector<const StaffingRecursion*> measuring(stepping.begin(), stepping.end());

    std::vector<Result<int, ErrorNumber>> agents = {Fail(kErrOverflow)};  // replaced
    std::vector<Result<StaffingMeasures, ErrorNumber>> rows;
    int waitingFailures = 0;
    for (int round = 0; round < 4; ++round) {
        StaffingRecursion::NextAgentsTogether(stepping.data(), stepping.size(), agents);
        StaffingRecursion::RowsTogether(measuring.data(), measuring.size(), rows);
        ASSERT_EQ(agents.size(), cases.size());
        ASSERT_EQ(rows.size(), cases.size());
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const Case& c = cases[i];
            SCOPED_TRACE(::testing::Message() << "round " << round << ", " << c.talk << "/"
                                              << c.acw << "/" << c.calls << "/" << c.slo);
            const auto n = alone[i].NextAgents();
            ASSERT_EQ(static_cast<bool>(agents[i]), static_cast<bool>(n));
            if (!n) {
                EXPECT_EQ(agents[i].Error(), n.Error());
                continue;
            }
            EXPECT_EQ(agents[i].Value(), n.Value());
            const auto row = alone[i].Row(false);
            ASSERT_EQ(static_cast<bool>(rows[i]), static_cast<bool>(row));
            if (!row) {
                EXPECT_EQ(rows[i].Error(), row.Error());
                continue;
            }
            ExpectSameRow(rows[i].Value(), row.Value());
            // The one-exponential check fails exactly where the whole row does.
            const bool whole = static_cast<bool>(alone[i].Row(true));
            EXPECT_EQ(static_cast<bool>(together[i].CheckWaiting()), whole);
            if (!whole) ++waitingFailures;
        }
    }
    EXPECT_GT(waitingFailures, 0);  // the 1 s handle time's rows
}

}  // namespace
}  // namespace corvane
