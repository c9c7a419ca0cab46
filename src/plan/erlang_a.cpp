#include "plan/erlang_a.h"

#include <cmath>

#include "calc/checked_math.h"

namespace corvane::plan {

namespace {

// Weighted sums grow with the queue's state probabilities when the agents
// are too few; they are all scaled down together past this.
constexpr double kRescaleAbove = 1e200;
constexpr double kRescaleBy = 1e-200;
// Below e^-700 a term is carried as its logarithm until it grows.
constexpr double kLogFloor = -700.0;
// The queue's tail is cut once a state weighs this little against the
// waiting mass and the states shrink from there on.
constexpr double kTailCut = 1e-18;
// A queue whose weight lies further out than this (days of traffic held by
// a few agents of endless patience) is outside the usable range.
constexpr long kMaxQueueStates = 10'000'000;
// Past this many states the integral is the quicker.
constexpr long kLongestSum = 1500;
// Below this the sum's service level keeps too few of its digits.
constexpr double kSumServiceLevelFloor = 0.01;

// 1 - I_u(a, b) for b = 1, 2, ...: the share of answered callers, among
// those who found b - 1 others waiting, whose wait exceeds the objective.
// With c = N / beta, a caller's offered wait is -ln(Beta(c, b)) * patience,
// so I_u(c + 1, b), u = e^(-S / patience), is the regularized incomplete
// beta function, stepped upward in b by its recurrence.
class SlowAnswerShare {
public:
    SlowAnswerShare(double a, double answerSeconds, double patience)
        : a_(a), oneMinusU_(-std::expm1(-answerSeconds / patience)) {
        if (answerSeconds <= 0) return;  // everybody answered "within 0" waits 0
        const double logUa = -a * answerSeconds / patience;
        cdf_ = logUa > kLogFloor ? std::exp(logUa) : 0.0;
        logTerm_ = logUa + std::log(oneMinusU_) + std::log(a);
        inLogs_ = logTerm_ <= kLogFloor;
        term_ = inLogs_ ? 0.0 : std::exp(logTerm_);
        active_ = true;
    }

    double Current() const { return active_ ? 1.0 - cdf_ : 0.0; }

    void Step(double b) {  // moves from b to b + 1
        if (!active_) return;
        cdf_ += term_;
        const double ratio = oneMinusU_ * (a_ + b) / (b + 1.0);
        if (inLogs_) {
            logTerm_ += std::log(ratio);
            if (logTerm_ > kLogFloor) {
                inLogs_ = false;
                term_ = std::exp(logTerm_);
            }
        } else {
            term_ *= ratio;
        }
    }

private:
    double a_;
    double oneMinusU_;
    double cdf_ = 1.0;
    double term_ = 0.0;
    double logTerm_ = 0.0;
    bool inLogs_ = false;
    bool active_ = false;
};

struct TailSums {
    double below = 0;    // states with a free agent
    double waiting = 0;  // states where every agent is busy
    double abandoned = 0;
    double answered = 0;  // answered after waiting
    double fast = 0;      // answered after waiting, within the objective
    double wait = 0;      // total wait of those answered after waiting

    void Scale(double f) {
        below *= f;
        waiting *= f;
        abandoned *= f;
        answered *= f;
        fast *= f;
        wait *= f;
    }
};

}  // namespace

double ErlangB(int agents, double traffic) {
    double b = 1.0;
    for (int k = 1; k <= agents; ++k) b = traffic * b / (k + traffic * b);
    return b;
}

long ErlangASumStates(const ErlangAModel& model, int agents) {
    // The states' weights rise to their peak near y - c callers waiting
    // and fall away over a few standard deviations (about sqrt(y)), or
    // geometrically by y / c when the agents are more than the traffic.
    const double beta = model.handleSeconds / model.patienceSeconds;
    const double c = agents / beta;
    const double y = model.Traffic() / beta;
    if (!(std::isfinite(c) && std::isfinite(y))) return kMaxQueueStates;
    const double spread = 10.0 * std::sqrt(y) + 10.0;
    const double states =
        y > c ? (y - c) + spread : std::min(spread, 45.0 / std::log1p((c - y) / y));
    return static_cast<long>(std::min<double>(states, kMaxQueueStates));
}

ErlangAMeasures ErlangA(const ErlangAModel& model, int agents, int answerSeconds) {
    // The sum follows every state the queue can reach: exact and quickest
    // for the queues of ordinary patience. Where it would run long (very
    // patient callers of short calls), the integral over the offered wait
    // costs the same whatever the parameters.
    // The sum takes a service level as 1 less a sum of shares, good to
    // about 10^-15: a small one is taken again from the integral, whose
    // terms are all positive.
    if (ErlangASumStates(model, agents) <= kLongestSum) {
        const ErlangAMeasures m = ErlangABySum(model, agents, answerSeconds);
        if (m.serviceLevel >= kSumServiceLevelFloor) return m;
    }
    return ErlangAByIntegral(model, agents, answerSeconds);
}

ErlangAMeasures ErlangABySum(const ErlangAModel& model, int agents, int answerSeconds) {
    namespace ck = corvane::checked;
    const double A = ck::Finite(model.Traffic());
    const double H = model.handleSeconds;
    const double N = agents;
    const double beta = ck::Div(H, model.patienceSeconds);

    // Probabilities in units where the states 0..N sum to 1.
    const double blocked = ErlangB(agents, A);
    TailSums s;
    s.below = 1.0 - blocked;
    double state = blocked;    // pi(N + j)
    double waitToService = 0;  // sum over the stages of H / (N + i beta)
    SlowAnswerShare slow(N / beta + 1.0, answerSeconds, model.patienceSeconds);

    for (long j = 0;; ++j) {
        const double ahead = static_cast<double>(j + 1);
        const double inv = 1.0 / ck::Finite(N + ahead * beta);
        const double answered = N * inv;  // chance to be answered at all
        waitToService += H * inv;
        s.waiting += state;
        s.abandoned += state * (ahead * beta * inv);
        s.answered += state * answered;
        s.fast += state * answered * slow.Current();
        s.wait += state * answered * waitToService;
        slow.Step(ahead);
        const double ratio = A * inv;
        state *= ratio;
        if (state > kRescaleAbove) {
            state *= kRescaleBy;
            s.Scale(kRescaleBy);
        }
        if (ratio < 1.0 && state < kTailCut * s.waiting) break;
        if (state == 0.0) break;
        if (j >= kMaxQueueStates) RaiseError(kErrOverflow);
    }

    const double total = s.below + s.waiting;
    ErlangAMeasures m;
    m.waitProbability = s.waiting / total;
    m.abandon = s.abandoned / total;
    m.serviceLevel = (s.below + s.fast) / total;
    const double answeredAll = s.below + s.answered;
    m.asa = answeredAll > 0 ? s.wait / answeredAll : 0.0;
    m.occupancy = A * (1.0 - m.abandon) / N;
    return m;
}

}  // namespace corvane::plan
