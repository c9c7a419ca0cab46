// Sweeps over the accepted input ranges: every staffing run ends in its
// rows or in the overflow failure, and every trunk search in the first
// count that meets its allowance; nothing crashes or runs away.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/calc_error.h"
#include "calc/staffing_engine.h"
#include "calc/staffing_tables.h"
#include "calc/trunk_search.h"

namespace corvane {
namespace {

TEST(Sweep, StaffingOverTheAcceptedRanges) {
    const int talks[] = {1, 2, 3, 5, 10, 17, 30, 60, 120, 180, 300, 599, 900, 1200, 1799, 1800};
    const int acws[] = {0, 1, 2, 10, 30, 120, 300, 900, 1800};
    const int callCounts[] = {1,   2,   3,    7,    20,   50,    100,   250,  706,
                              707, 708, 1000, 2500, 5000, 12000, 20000, 30000};
    const int slos[] = {0, 1, 5, 20, 60, 120, 300, 599, 600};
    int completed = 0, failed = 0;
    for (int talk : talks)
        for (int acw : acws)
            for (int calls : callCounts)
                for (int slo : slos) {
                    std::vector<std::string> agents, delays;
                    int lastN = 0;
                    double lastP0 = 1;
                    int error = 0;
                    try {
                        ComputeStaffingRows(
                            {static_cast<std::int16_t>(talk), static_cast<std::int16_t>(acw), calls,
                             static_cast<std::int16_t>(slo)},
                            [&](const StaffingRow& row) {
                                ASSERT_TRUE(lastN == 0 || row.N == lastN + 1);
                                ASSERT_LE(row.N, 800);  // the recursion cannot run away
                                lastN = row.N;
                                lastP0 = row.P0;
                                agents.push_back(FormatStaffingLine(row));
                                delays.push_back(FormatDelayLine(row));
                            });
                    } catch (const CalcError& e) {
                        error = e.number();
                    }
                    SCOPED_TRACE(::testing::Message()
                                 << talk << "/" << acw << "/" << calls << "/" << slo);
                    ASSERT_EQ(agents.size(), delays.size());
                    for (const auto& line : agents) ASSERT_EQ(line.size(), 66u) << line;
                    for (const auto& line : delays) ASSERT_EQ(line.size(), 69u) << line;
                    if (error == 0) {
                        ASSERT_FALSE(agents.empty());
                        ASSERT_LE(lastP0, kStaffingStopLimit);
                        ++completed;
                    } else {
                        ASSERT_EQ(error, kErrOverflow);
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
    std::vector<double> traffic;
    for (double a = 0.1; a < 699.9; a = a * 1.08 + 0.05) traffic.push_back(a);
    traffic.push_back(699.9);
    for (double A : traffic) {
        for (int P = 1; P <= 99; P += 4) {
            SilentHost host;
            const int trunks = TrunksRequired(A, P, host);
            SCOPED_TRACE(::testing::Message() << "A=" << A << " P=" << P);
            ASSERT_EQ(host.messages, 0);
            ASSERT_GT(trunks, 0);
            ASSERT_LE(trunks, 728);
            // The first count that meets the allowance: the one before does not.
            ErlangBSequence seq(A);
            double before = 1, at = 1;
            for (int n = 1; n <= trunks; ++n) {
                before = at;
                at = seq.Next();
            }
            ASSERT_LE(at, P / 100.0);
            if (trunks > 1) {
                ASSERT_GT(before, P / 100.0);
            }
        }
    }
}

}  // namespace
}  // namespace corvane
