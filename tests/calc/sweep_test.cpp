// Sweeps over the accepted input ranges: every staffing run ends in its
// rows or in the overflow failure, every trunk search in the first count
// that meets its allowance; nothing crashes or runs away.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "calc/calc_error.h"
#include "calc/staffing_engine.h"
#include "calc/staffing_tables.h"
#include "calc/trunk_search.h"

namespace corvane {
namespace {

TEST(Sweep, StaffingOverTheAcceptedRanges) {
    int completed = 0, failed = 0;
    for (int talk : {1, 2, 5, 17, 60, 180, 599, 1200, 1800})
        for (int acw : {0, 1, 30, 300, 1800})
            for (int calls : {1, 3, 20, 100, 706, 707, 708, 2500, 12000, 30000})
                for (int slo : {0, 1, 20, 120, 599, 600}) {
                    SCOPED_TRACE(::testing::Message()
                                 << talk << "/" << acw << "/" << calls << "/" << slo);
                    int lastN = 0;
                    double lastP0 = 1;
                    try {
                        ComputeStaffingRows(
                            {static_cast<std::int16_t>(talk), static_cast<std::int16_t>(acw), calls,
                             static_cast<std::int16_t>(slo)},
                            [&](const StaffingRow& row) {
                                ASSERT_TRUE(lastN == 0 || row.N == lastN + 1);
                                ASSERT_LE(row.N, 800);  // the recursion cannot run away
                                ASSERT_EQ(FormatStaffingLine(row).size(), 66u);
                                ASSERT_EQ(FormatDelayLine(row).size(), 69u);
                                lastN = row.N;
                                lastP0 = row.P0;
                            });
                        ASSERT_LE(lastP0, kStaffingStopLimit);
                        ++completed;
                    } catch (const CalcError& e) {
                        ASSERT_EQ(e.number(), kErrOverflow);
                        ++failed;
                    }
                }
    EXPECT_GT(completed, 0);
    EXPECT_GT(failed, 0);
}

class SilentHost : public TrunkSearchHost {
public:
    int messages = 0;
    void ServicePendingEvents() override {}
    void ShowMessage(const std::string&, const std::string&) override { ++messages; }
};

TEST(Sweep, TrunkSearchOverTheAcceptedRanges) {
    for (double A = 0.1;; A = std::min(699.9, A * 1.08 + 0.05)) {
        for (int P = 1; P <= 99; P += 4) {
            SCOPED_TRACE(::testing::Message() << "A=" << A << " P=" << P);
            SilentHost host;
            const int trunks = TrunksRequired(A, P, host);
            ASSERT_EQ(host.messages, 0);
            ASSERT_TRUE(trunks > 0 && trunks <= 728);
            // The first count that meets the allowance: the one before does not.
            ErlangBSequence seq(A);
            double before = 1, at = 1;
            for (int n = 1; n <= trunks; ++n) before = std::exchange(at, seq.Next());
            ASSERT_LE(at, P / 100.0);
            if (trunks > 1) {
                ASSERT_GT(before, P / 100.0);
            }
        }
        if (A == 699.9) break;
    }
}

}  // namespace
}  // namespace corvane
