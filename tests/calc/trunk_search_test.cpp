#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "calc/calc_error.h"
#include "calc/trunk_search.h"
#include "support/literal_trunks.h"

namespace corvane {
namespace {

struct Message {
    std::string text;
    std::string title;
};

class RecordingHost : public TrunkSearchHost {
public:
    std::function<void(int)> onPump;  // receives the pump count so far
    int pumps = 0;
    std::vector<Message> messages;

    void ServicePendingEvents() override {
        ++pumps;
        if (onPump) onPump(pumps);
    }
    void ShowMessage(const std::string& text, const std::string& title) override {
        messages.push_back({text, title});
    }
};

std::vector<double> BlockingUpTo(double A, int n) {
    ErlangBSequence seq(A);
    std::vector<double> b;
    for (int i = 0; i < n; ++i) b.push_back(seq.Next());
    return b;
}

TEST(TrunksRequired, KnownResults) {
    struct Case {
        double A, P;
        int trunks;
        double bAt;
        double bBefore;  // 0 when there is no earlier candidate
    };
    const Case cases[] = {
        {0.1, 1, 2, 0.0045249, 0.090909},
        {0.1, 99, 1, 0.090909, 0},
        {0.5, 5, 3, 0.012658, 0.076923},
        {1, 1, 5, 0.0030675, 0.015385},
        {1, 50, 1, 0.5, 0},
        {2, 10, 4, 0.095238, 0.21053},
        {5, 2, 10, 0.018385, 0.037458},
        {10, 1, 18, 0.0071424, 0.012949},
        {10, 5, 15, 0.036497, 0.056819},
        {100, 1, 117, 0.0097901, 0.011568},
        {699.9, 1, 728, 0.0098528, 0.01035},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "A=" << c.A << " P=" << c.P);
        RecordingHost host;
        EXPECT_EQ(TrunksRequired(c.A, c.P, host), c.trunks);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_TRUE(ContinueTrunks());
        EXPECT_EQ(host.pumps, c.trunks);  // once per candidate
        const std::vector<double> b = BlockingUpTo(c.A, c.trunks);
        EXPECT_NEAR(b.back() / c.bAt, 1.0, 1e-4);
        if (c.bBefore > 0) {
            EXPECT_NEAR(b[b.size() - 2] / c.bBefore, 1.0, 1e-4);
        }
    }
    // One trunk at 1 Erlang blocks exactly half the calls, which meets 50 %.
    EXPECT_EQ(BlockingUpTo(1, 1)[0], 0.5);
}

TEST(TrunksRequired, Failures) {
    struct Case {
        double A, P;
        int trunks;
        const char* text;  // nullptr: no message
        const char* title;
    };
    const Case cases[] = {
        {720, 1, 0, "This combination of numbers is too large for the program.", ""},
        {720, 99, 8, nullptr, nullptr},
        {0, 1, 0, "Unexpected error #  5", "Corvane"},
        {-3, 1, 0, "Unexpected error #  5", "Corvane"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "A=" << c.A << " P=" << c.P);
        RecordingHost host;
        EXPECT_EQ(TrunksRequired(c.A, c.P, host), c.trunks);
        if (c.text) {
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0].text, c.text);
            EXPECT_EQ(host.messages[0].title, c.title);
        } else {
            EXPECT_TRUE(host.messages.empty());
        }
    }
}

TEST(TrunksRequired, OverflowsAtTheSameCandidateAsTheLiteralProcedure) {
    ErlangBSequence seq(720);
    int failedAt = 0;
    try {
        for (;;) seq.Next();
    } catch (const CalcError& e) {
        EXPECT_EQ(e.number(), kErrOverflow);
        failedAt = seq.trunks();
    }
    // The running sum leaves the double range (at 616 trunks) a little
    // before the last term alone would (at 629).
    const testing::LiteralTrunkResult lit = testing::LiteralTrunksRequired(720, 1);
    EXPECT_EQ(lit.error, kErrOverflow);
    EXPECT_EQ(lit.candidate, failedAt);
    EXPECT_EQ(failedAt, 616);
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
    // The next search starts afresh.
    RecordingHost host;
    EXPECT_EQ(TrunksRequired(10, 1, host), 18);
    EXPECT_TRUE(ContinueTrunks());
}

TEST(TrunksRequired, CancelBeforeASearchDoesNotStopIt) {
    CancelTrunks();
    RecordingHost host;
    EXPECT_EQ(TrunksRequired(10, 5, host), 15);
}

TEST(ErlangBSequence, MatchesTheLiteralProcedureBitForBit) {
    int pairs = 0;
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
        ++pairs;
    }
    EXPECT_EQ(pairs, 300);
    EXPECT_GT(largest, 130);
}

TEST(ErlangBSequence, LiteralAgreesOnAZeroTraffic) {
    const testing::LiteralTrunkResult zero = testing::LiteralTrunksRequired(0, 1);
    EXPECT_EQ(zero.error, kErrInvalidCall);
}

}  // namespace
}  // namespace corvane
