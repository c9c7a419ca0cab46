#pragma once

namespace corvane::plan {

// One interval of the model with abandonment (M/M/N+M): calls arrive at
// random at `arrivalRate` per second, handle times are exponential with
// mean `handleSeconds`, each caller's patience is exponential with mean
// `patienceSeconds`; a caller not answered before his patience runs out
// hangs up.
struct ErlangAModel {
    double arrivalRate = 0;
    double handleSeconds = 0;
    double patienceSeconds = 0;

    double Traffic() const { return arrivalRate * handleSeconds; }
};

// Shares are of offered calls, 0..1; ASA is the mean wait of the calls
// that are answered.
struct ErlangAMeasures {
    double waitProbability = 0;
    double abandon = 0;
    double serviceLevel = 0;  // answered within the objective
    double asa = 0;           // seconds
    double occupancy = 0;     // answered load per agent
};

// The measures with `agents` >= 1 and an objective of `answerSeconds`.
// Every agent count is valid, even below the traffic. Raises CalcError(6)
// only when a value leaves the double range. Its cost is bounded whatever
// the parameters: it takes whichever of the two ways below is the quicker.
ErlangAMeasures ErlangA(const ErlangAModel& model, int agents, int answerSeconds);

// Summed state by state over the queue's lengths: exact, and its cost
// grows with the states that carry weight (ErlangASumStates).
ErlangAMeasures ErlangABySum(const ErlangAModel& model, int agents, int answerSeconds);
long ErlangASumStates(const ErlangAModel& model, int agents);

// Integrated over the offered wait of the callers who find every agent
// busy, by Gauss-Legendre panels laid over where the integrand carries
// weight: a few hundred points whatever the parameters.
ErlangAMeasures ErlangAByIntegral(const ErlangAModel& model, int agents, int answerSeconds);

// Erlang B by its recursion: the share of the state with all N busy among
// the states 0..N.
double ErlangB(int agents, double traffic);

}  // namespace corvane::plan
