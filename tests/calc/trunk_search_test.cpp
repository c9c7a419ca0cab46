#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "calc/calc_error.h"
#include "calc/trunk_search.h"
#include "support/literal_trunks.h"
#include "support/vectors.h"

namespace corvane {
namespace {

using Found = Result<std::optional<std::int16_t>, ErrorNumber>;

// The trunks a search found; 0 when it was cancelled or failed.
int TrunksOf(const Found& r) { return r ? r.Value().value_or(0) : 0; }
bool Cancelled(const Found& r) { return r && !r.Value(); }

// One search, counting the candidates it lets events run for.
struct Search {
    int pumps = 0;
    CancelToken cancel;
    std::function<void(int)> onPump;  // receives the pump count so far

    Found operator()(double A, double P) {
        const auto between = [this] { onPump ? onPump(++pumps) : void(++pumps); };
        return TrunksRequired(A, P, between, cancel);
    }
};

// Counts from published Erlang B tables (the blocking of each count is
// held to the literal procedure below), and the failures; the window's
// words for them are the trunk run's.
TEST(TrunksRequired, KnownResultsAndFailures) {
    for (const auto& c : testing::Vectors("trunk-searches")) {
        SCOPED_TRACE(c.dump());
        Search search;
        const Found r = search(c["erlangs"], c["busy"]);
        if (c.contains("error")) {
            EXPECT_TRUE(!r && r.Error() == c["error"].get<int>());
        } else {
            ASSERT_TRUE(r && r.Value());
            EXPECT_EQ(*r.Value(), c["trunks"].get<int>());
            EXPECT_EQ(search.pumps, c["trunks"].get<int>());  // once per candidate
        }
    }
}

TEST(TrunksRequired, FirstCountThatMeetsTheAllowanceOverTheAcceptedRange) {
    for (double A = 0.1; A <= 699.9; A = A < 699.9 ? std::min(699.9, A * 1.08 + 0.05) : 700)
        for (int P = 1; P <= 99; P += 4) {
            const int trunks = TrunksOf(Search()(A, P));
            ErlangBSequence seq(A);
            double before = 1, at = 1;
            for (int n = 1; n <= trunks; ++n) before = std::exchange(at, seq.Next().Value());
            ASSERT_TRUE(trunks > 0 && at <= P / 100.0 && (trunks == 1 || before > P / 100.0))
                << "A=" << A << " P=" << P << " trunks=" << trunks;
        }
}

TEST(TrunksRequired, CancelStopsAtTheCandidateItIsPressedIn) {
    // Cancel at the first candidate, half way, and during the very
    // candidate that meets the allowance (18 for 10 Erlangs at 1 %).
    for (int cancelAt : {1, 9, 18}) {
        SCOPED_TRACE(cancelAt);
        Search search;
        search.onPump = [&search, cancelAt](int pumps) {
            if (pumps == cancelAt) search.cancel.Cancel();
        };
        EXPECT_TRUE(Cancelled(search(10, 1)));
        EXPECT_EQ(search.pumps, cancelAt);
    }
    // Two searches with tokens of their own do not touch each other.
    Search cancelled;
    cancelled.cancel.Cancel();
    EXPECT_TRUE(Cancelled(cancelled(10, 1)));
    EXPECT_EQ(TrunksOf(Search()(10, 1)), 18);
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
            const double fast = seq.Next().Value();
            ASSERT_EQ(std::memcmp(&fast, &literal[n], sizeof fast), 0)
                << "A=" << A << " N=" << n + 1 << " fast=" << fast << " literal=" << literal[n];
        }
        EXPECT_EQ(TrunksOf(Search()(A, P)), lit.trunks);
        largest = std::max(largest, static_cast<int>(lit.trunks));
    }
    EXPECT_GT(largest, 130);  // the pairs reach well into the table
}

}  // namespace
}  // namespace corvane
