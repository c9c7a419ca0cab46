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

ErlangBSequence::ErlangBSequence(double trafficErlangs) {
    try {
        lnA_ = ck::Log(trafficErlangs);
    } catch (const CalcError& e) {
        inputError_ = e.Number();
    }
}

Result<double, ErrorNumber> ErlangBSequence::Next() {
    if (inputError_) return Fail(*inputError_);
    try {
        n_ = ck::Int16(static_cast<long>(n_) + 1);
        const double N = n_;
        logFactorial_ = ck::Add(logFactorial_, LogOfCount(n_));
        const double lastTerm = ck::Exp(ck::Sub(ck::Mul(N, lnA_), logFactorial_));
        sumOfTerms_ = ck::Add(sumOfTerms_, lastTerm);
        return ck::Div(lastTerm, sumOfTerms_);
    } catch (const CalcError& e) {
        return Fail(e.Number());
    }
}

Result<std::optional<std::int16_t>, ErrorNumber> TrunksRequired(
    double A, double P, const std::function<void()>& between, const CancelToken& cancel) {
    ErlangBSequence blocking(A);
    const double allowance = P / 100.0;
    for (;;) {
        const auto B = blocking.Next();
        if (!B) return Fail(B.Error());
        between();
        if (cancel.Cancelled()) return std::optional<std::int16_t>();
        if (B.Value() <= allowance) return std::optional<std::int16_t>(blocking.Trunks());
    }
}

}  // namespace corvane
