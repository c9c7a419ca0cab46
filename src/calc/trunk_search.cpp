#include "calc/trunk_search.h"

#include "calc/calc_error.h"
#include "calc/checked_math.h"

#include <cmath>
#include <vector>

namespace corvane {

namespace ck = checked;

namespace {

// ln k for the trunk counts a search usually reaches, worked out once.
// They are the very doubles std::log gives, so results do not change.
double LogOfCount(int k) {
    static const std::vector<double> table = [] {
        std::vector<double> logs(1025);
        for (std::size_t i = 1; i < logs.size(); ++i) logs[i] = std::log(static_cast<double>(i));
        return logs;
    }();
    if (k > 0 && static_cast<std::size_t>(k) < table.size())
        return table[static_cast<std::size_t>(k)];
    return ck::Log(k);
}

}  // namespace

ErlangBSequence::ErlangBSequence(double trafficErlangs) : lnA_(ck::Log(trafficErlangs)) {}

double ErlangBSequence::Next() {
    n_ = ck::Int16(static_cast<long>(n_) + 1);
    const double N = n_;
    logFactorial_ = ck::Add(logFactorial_, LogOfCount(n_));
    const double lastTerm = ck::Exp(ck::Sub(ck::Mul(N, lnA_), logFactorial_));
    sumOfTerms_ = ck::Add(sumOfTerms_, lastTerm);
    return ck::Div(lastTerm, sumOfTerms_);
}

TrunkSearchResult TrunksRequired(double A, double P, const std::function<void()>& between,
                                 const CancelToken& cancel) {
    using Outcome = TrunkSearchResult::Outcome;
    try {
        ErlangBSequence blocking(A);
        const double allowance = P / 100.0;
        for (;;) {
            const double B = blocking.Next();
            between();
            if (cancel.Cancelled()) return {Outcome::Cancelled, 0, 0};
            if (B <= allowance) return {Outcome::Found, blocking.Trunks(), 0};
        }
    } catch (const CalcError& e) {
        return {Outcome::Failed, 0, e.Number()};
    }
}

}  // namespace corvane
