#pragma once

#include <cstdint>
#include <string>

namespace corvane {

// What the trunk search needs from the window: a way to let pending window
// events run (so Cancel works and the window repaints) and a message box.
class TrunkSearchHost {
public:
    virtual ~TrunkSearchHost() = default;
    virtual void ServicePendingEvents() = 0;
    virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
};

// The Erlang B blocking probability of A Erlangs offered to 1, 2, 3, ...
// trunks, one candidate per call of Next(). Each value is the same double
// the term-by-term formula gives (A^N/N! over the sum of A^k/k!, every term
// from logarithms); the logarithm sums and the sum of terms are carried
// from one candidate to the next, which adds the same numbers in the same
// order as recomputing them. Raises CalcError(5) for A <= 0 and
// CalcError(6) when a value leaves the double range or N passes 32767.
class ErlangBSequence {
public:
    explicit ErlangBSequence(double trafficErlangs);
    // Advances to the next trunk count and returns its blocking probability.
    double Next();
    std::int16_t trunks() const { return static_cast<std::int16_t>(n_); }

private:
    double lnA_;
    int n_ = 0;
    double logFactorial_ = 0.0;  // ln 1 + ln 2 + ... + ln N
    double sumOfTerms_ = 1.0;    // the k = 0 term, exp(0)
};

// True while the search in progress may go on; set by every search,
// cleared by CancelTrunks.
bool ContinueTrunks();

// Stops the search in progress at its next flag check.
void CancelTrunks();

// The trunks required so that the blocking of A Erlangs is at most P %.
// Returns 0 when cancelled (no message) or failed (one message, shown
// through the host). Lets window events run once per candidate, after its
// blocking probability is known and before the cancel flag is read.
std::int16_t TrunksRequired(double A, double P, TrunkSearchHost& host);

}  // namespace corvane
