#pragma once

namespace corvane::plan {

// The Erlang C measures of one agent count; shares are fractions 0..1.
struct ErlangCMeasures {
    long agents = 0;
    double waitProbability = 0;
    double serviceLevel = 0;
    double asa = 0;  // seconds
    double occupancy = 0;
};

// Erlang C for traffic of any size, one agent count at a time from the
// first that can carry the traffic. It stands on the Erlang B recursion
// B(n) = A B(n-1) / (n + A B(n-1)), carried upward from B(0) = 1, which
// neither overflows nor loses precision however large A is; then
// C = n B / (n - A (1 - B)). The window's table recursion overflows a
// little above 700 Erlangs; this one answers for millions.
class ErlangCWalk {
public:
    ErlangCWalk(double traffic, double handleSeconds);

    // Moves to the next agent count above the traffic (the first call
    // gives the first) and returns it.
    long NextAgents();
    ErlangCMeasures Measures(double answerSeconds) const;

private:
    double A_;
    double handle_;
    long n_ = 0;
    double blocking_ = 1.0;  // B(n)
};

}  // namespace corvane::plan
