#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "calc/calc_error.h"
#include "calc/trunk_search.h"
#include "support/literal_trunks.h"
#include "support/recording_host.h"
#include "support/vectors.h"

namespace corvane {
namespace {

using testing::RecordingHost;

// Counts from published Erlang B tables (the blocking of each count is
// held to the literal procedure below), and the failures.
TEST(TrunksRequired, KnownResultsAndFailures) {
    for (const auto& c : testing::Vectors("trunk-searches")) {
        SCOPED_TRACE(c.dump());
        RecordingHost host;
        EXPECT_EQ(TrunksRequired(c["erlangs"], c["busy"], host), c["trunks"].get<int>());
        EXPECT_TRUE(ContinueTrunks());
        if (c.contains("message")) {
            EXPECT_EQ(host.messages, (decltype(host.messages){{c["message"], c["title"]}}));
        } else {
            EXPECT_TRUE(host.messages.empty());
            EXPECT_EQ(host.pumps, c["trunks"].get<int>());  // once per candidate
        }
    }
}

TEST(TrunksRequired, FirstCountThatMeetsTheAllowanceOverTheAcceptedRange) {
    for (double A = 0.1; A <= 699.9; A = A < 699.9 ? std::min(699.9, A * 1.08 + 0.05) : 700)
        for (int P = 1; P <= 99; P += 4) {
            RecordingHost host;
            const int trunks = TrunksRequired(A, P, host);
            ErlangBSequence seq(A);
            double before = 1, at = 1;
            for (int n = 1; n <= trunks; ++n) before = std::exchange(at, seq.Next());
            ASSERT_TRUE(host.messages.empty() && trunks > 0 && at <= P / 100.0 &&
                        (trunks == 1 || before > P / 100.0))
                << "A=" << A << " P=" << P << " trunks=" << trunks;
        }
}

TEST(TrunksRequired, CancelReturnsZeroWithoutAMessage) {
    // Cancel at the first candidate, half way, and during the very
    // candidate that meets the allowance (18 for 10 Erlangs at 1 %).
    for (int cancelAt : {1, 9, 18}) {
        SCOPED_TRACE(cancelAt);
        RecordingHost host;
        host.onPump = [cancelAt](int pumps) {
            if (pumps == cancelAt) CancelTrunks();
        };
        EXPECT_EQ(TrunksRequired(10, 1, host), 0);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_FALSE(ContinueTrunks());
        EXPECT_EQ(host.pumps, cancelAt);
    }
    // The next search starts afresh, even after a cancel between searches.
    CancelTrunks();
    RecordingHost host;
    EXPECT_EQ(TrunksRequired(10, 1, host), 18);
    EXPECT_TRUE(ContinueTrunks());
}

TEST(ErlangBSequence, MatchesTheLiteralProcedureBitForBit) {
    int largest = 0;
    for (int i = 0; i < 300; ++i) {
        const double A = 0.1 + static_cast<double>((i * 7919) % 13500) / 100.0;
        const double P = 1 + (i * 37) % 99;
        std::vector<double> literal;
        const testing::LiteralTrunkResult lit =
            testing::LiteralTrunksRequired(A, P, [&](int, double b) { literal.push_back(b); });
        ASSERT_EQ(lit.error, 0);
        ErlangBSequence seq(A);
        for (std::size_t n = 0; n < literal.size(); ++n) {
            const double fast = seq.Next();
            ASSERT_EQ(std::memcmp(&fast, &literal[n], sizeof fast), 0)
                << "A=" << A << " N=" << n + 1 << " fast=" << fast << " literal=" << literal[n];
        }
        RecordingHost host;
        EXPECT_EQ(TrunksRequired(A, P, host), lit.trunks);
        largest = std::max(largest, static_cast<int>(lit.trunks));
    }
    EXPECT_GT(largest, 130);  // the pairs reach well into the table
}

}  // namespace
}  // namespace corvane
