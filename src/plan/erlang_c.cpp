#include "plan/erlang_c.h"

#include <cmath>

namespace corvane::plan {

ErlangCWalk::ErlangCWalk(double traffic, double handleSeconds)
    : A_(traffic), handle_(handleSeconds) {}

long ErlangCWalk::NextAgents() {
    do {
        ++n_;
        blocking_ = A_ * blocking_ / (static_cast<double>(n_) + A_ * blocking_);
    } while (!(static_cast<double>(n_) > A_));
    return n_;
}

ErlangCMeasures ErlangCWalk::Measures(double answerSeconds) const {
    const double N = static_cast<double>(n_);
    const double room = N - A_;  // agents to spare, > 0
    ErlangCMeasures m;
    m.agents = n_;
    m.waitProbability = N * blocking_ / (N - A_ * (1.0 - blocking_));
    m.serviceLevel = 1.0 - m.waitProbability * std::exp(-room * answerSeconds / handle_);
    m.asa = m.waitProbability * handle_ / room;
    m.occupancy = A_ / N;
    return m;
}

}  // namespace corvane::plan
