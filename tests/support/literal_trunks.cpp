#include "support/literal_trunks.h"

#include "calc/calc_error.h"
#include "calc/checked_math.h"

namespace corvane::testing {

namespace ck = corvane::checked;

LiteralTrunkResult LiteralTrunksRequired(double A, double P,
                                         const std::function<void(int, double)>& onCandidate) {
    LiteralTrunkResult result;
    int N = 0;
    try {
        for (;;) {
            N = ck::Int16(static_cast<long>(N) + 1);
            const double L = ck::Mul(N, ck::Log(A));
            double F = 0.0;
            for (int i = 1; i <= N; ++i) F = ck::Add(F, ck::Log(i));
            const double T = ck::Exp(ck::Sub(L, F));
            double S = 0.0;
            for (int k = 0; k <= N; ++k) {
                double fk = 0.0;
                for (int i = 1; i <= k; ++i) fk = ck::Add(fk, ck::Log(i));
                S = ck::Add(S, ck::Exp(ck::Sub(ck::Mul(k, ck::Log(A)), fk)));
            }
            const double B = ck::Div(T, S);
            if (onCandidate) onCandidate(N, B);
            if (B <= P / 100.0) {
                result.trunks = static_cast<std::int16_t>(N);
                return result;
            }
        }
    } catch (const CalcError& e) {
        result.error = e.Number();
        return result;
    }
}

}  // namespace corvane::testing
