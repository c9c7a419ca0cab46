#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "calc/calc_error.h"
#include "calc/result.h"

namespace corvane {

// Stops a trunk search between two candidates; it belongs to whoever runs
// the search, who may cancel while the search lets events run.
class CancelToken {
public:
    void Cancel() { cancelled_ = true; }
    void Reset() { cancelled_ = false; }
    bool Cancelled() const { return cancelled_; }

private:
    bool cancelled_ = false;
};

// The Erlang B blocking probability of A Erlangs offered to 1, 2, 3, ...
// trunks, one candidate per call of Next(). Each value is the same double
// the term-by-term formula gives (A^N/N! over the sum of A^k/k!, every term
// from logarithms); the logarithm sums and the sum of terms are carried
// from one candidate to the next, which adds the same numbers in the same
// order as recomputing them. Fails with the invalid-call error (5) for
// A <= 0, and with the overflow error (6) when a value leaves the double
// range or N passes 32767.
class ErlangBSequence {
public:
    explicit ErlangBSequence(double trafficErlangs);
    // Advances to the next trunk count and returns its blocking probability.
    Result<double, ErrorNumber> Next();
    std::int16_t Trunks() const { return static_cast<std::int16_t>(n_); }

private:
    double lnA_ = 0.0;
    std::optional<ErrorNumber> inputError_;
    int n_ = 0;
    double logFactorial_ = 0.0;  // ln 1 + ln 2 + ... + ln N
    double sumOfTerms_ = 1.0;    // the k = 0 term, exp(0)
};

// The trunks required so that the blocking of A Erlangs is at most P %.
// `between` runs once per candidate, after its blocking probability is
// known and before `cancel` is read: the window lets its events run there.
// No trunk count (nullopt) when the search was cancelled; the run-time error
// (5 or 6) when it failed.
Result<std::optional<std::int16_t>, ErrorNumber> TrunksRequired(
    double A, double P, const std::function<void()>& between, const CancelToken& cancel);

}  // namespace corvane
