// The Erlang A measures as integrals over the offered wait.
//
// A caller who finds every agent busy with j others waiting would be
// answered after V, a sum of exponential stages (the agents finishing,
// the callers ahead hanging up); he is answered if his patience outlasts
// V. Weighted by the queue's state probabilities, the densities of V sum
// to one closed form: in t = V / patience,
//     sum_j pi(N + j) f_j = pi(N) c e^{-c t + y (1 - e^{-t})},
// with c = N patience / handle and y = traffic patience / handle. The
// waiting callers' mass, those answered (weight e^-t), those who hang up
// (1 - e^-t), those answered within the objective, and the wait of those
// answered (t e^-t) are integrals of that one log-concave function: every
// integrand is positive, so nothing cancels, and the work is the same
// whatever the patience.
#include <boost/math/quadrature/gauss.hpp>

#include <algorithm>
#include <cmath>

#include "calc/checked_math.h"
#include "plan/erlang_a.h"

namespace corvane::plan {

namespace {

using Rule = boost::math::quadrature::gauss<double, 20>;

// The integrand is left out where it has fallen below e^-50 of its peak.
constexpr double kDrop = 50.0;
// A panel spans at most this many standard deviations of a peak, or this
// many e-foldings of a slope: a 20-point rule is then exact to the last
// bits on it.
constexpr double kPanelDeviations = 4.0;
constexpr double kPanelFoldings = 16.0;
constexpr int kMaxPanels = 100000;

// s + e^-s - 1, without the cancellation of its terms near 0.
double ExcessOfLine(double s) {
    if (std::fabs(s) >= 0.5) return s + std::expm1(-s);
    double term = s * s / 2.0;
    double sum = 0.0;
    for (int k = 2; k < 40 && std::fabs(term) > 1e-18 * std::fabs(sum); ++k) {
        sum += term;
        term *= -s / (k + 1);
    }
    return sum;
}

// d - ln(1 + d), likewise.
double ExcessOverLog(double d) {
    if (std::fabs(d) >= 0.5) return d - std::log1p(d);
    double power = d * d;
    double sum = 0.0;
    for (int k = 2; k < 80 && std::fabs(power) > 1e-18 * std::fabs(sum) * k; ++k) {
        sum += (k % 2 == 0 ? power : -power) / k;
        power *= d;
    }
    return sum;
}

// The weight e^{-k t + y (1 - e^-t)} about its peak t*: at t = t* + s its
// logarithm lies
//     -slope s - curve (s + e^-s - 1)
// below the peak's, `top`, where slope = k - y e^-t* (0 when the peak lies
// inside) and curve = y e^-t*. `excess` is y - k, given exactly.
struct Weight {
    Weight(double k, double y, double excess) {
        if (excess > 0) {
            peak = std::log1p(excess / k);
            curve = k;
            top = k * ExcessOverLog(excess / k);
        } else {
            curve = y;
            slope = -excess;
        }
    }

    double Log(double s) const { return -slope * s - curve * ExcessOfLine(s); }
    double Slope(double s) const { return -slope + curve * std::expm1(-s); }
    double Curvature(double s) const { return curve * std::exp(-s); }

    double peak = 0;
    double slope = 0;
    double curve = 0;
    double top = 0;
};

// Where, going out from the peak by `direction`, the weight has fallen
// by kDrop; never past `limit`.
double Reach(const Weight& w, double direction, double limit) {
    double step = 1.0 / std::sqrt(std::max(w.curve, 1e-300));
    step = std::min(step, kDrop / std::max(w.slope, 1e-300));
    for (int i = 0; i < 2100; ++i, step *= 2) {
        const double s = direction * step;
        if (direction < 0 && s <= limit) return limit;
        if (w.Log(s) <= -kDrop) return s;
    }
    return direction < 0 ? limit : direction * step;
}

// Calls `add(at, weight)` for the nodes of a rule over the offsets
// [from, to] from the peak, in panels narrow enough for the weight and,
// below t = `rough`, for a factor that varies by e over one unit of t.
template <class Add>
void Integrate(const Weight& w, double from, double to, double rough, Add add) {
    const auto& nodes = Rule::abscissa();
    const auto& weights = Rule::weights();
    double s = from;
    for (int panel = 0; s < to && panel < kMaxPanels; ++panel) {
        const auto widthAt = [&](double left, double right) {
            const double bend = std::max(w.Curvature(left), w.Curvature(right));
            double rise = std::max(std::fabs(w.Slope(left)), std::fabs(w.Slope(right)));
            if (w.peak + left < rough) rise = std::max(rise, 1.0);
            return std::min(bend > 0 ? kPanelDeviations / std::sqrt(bend) : to - left,
                            rise > 0 ? kPanelFoldings / rise : to - left);
        };
        double width = std::min(widthAt(s, s), to - s);
        width = std::min(width, widthAt(s, s + width));
        if (panel == kMaxPanels - 1) width = to - s;
        const double half = width / 2;
        const double middle = s + half;
        for (std::size_t i = 0; i < nodes.size(); ++i)
            for (const double side : {-1.0, 1.0}) {
                if (nodes[i] == 0 && side > 0) continue;  // the middle node counts once
                const double at = middle + side * half * nodes[i];
                add(at, weights[i] * half);
            }
        s += width;
    }
}

// The range over which a weight is integrated.
struct Span {
    explicit Span(const Weight& w) : low(w.peak > 0 ? Reach(w, -1, -w.peak) : 0.0), high(Reach(w, 1, 0)) {}
    double low;
    double high;
};

}  // namespace

ErlangAMeasures ErlangAByIntegral(const ErlangAModel& model, int agents, int answerSeconds) {
    namespace ck = corvane::checked;
    const double A = ck::Finite(model.Traffic());
    const double N = agents;
    const double beta = ck::Div(model.handleSeconds, model.patienceSeconds);
    const double c = ck::Div(N, beta);
    const double y = ck::Div(A, beta);
    const double excess = ck::Div(A - N, beta);  // y - c

    ErlangAMeasures m;
    m.occupancy = A / N;
    const double blocked = ErlangB(agents, A);
    if (blocked == 0 || y == 0) {  // nobody ever waits
        m.serviceLevel = 1;
        return m;
    }

    // Everybody who waits, and those who hang up, under e^{-c t + ...}.
    const Weight all(c, y, excess);
    double waiting = 0;
    double abandoned = 0;
    const Span allSpan(all);
    // Past t = 40, 1 - e^-t is 1 to the last bit.
    Integrate(all, allSpan.low, allSpan.high, 40.0, [&](double at, double q) {
        const double e = q * std::exp(all.Log(at));
        waiting += e;
        abandoned += e * -std::expm1(-(all.peak + at));
    });
    // Those answered weigh e^-t more: a weight like the first with c + 1,
    // laid out by its own peak but measured on the first one's scale (its
    // own peak's height would differ by the rounding of two large numbers).
    const Weight kept(c + 1, y, excess - 1);
    const double shift = kept.peak > 0 ? -std::log1p(1 / c) : kept.peak - all.peak;
    double answered = 0;
    double fast = 0;
    double wait = 0;  // in units of the patience
    const Span keptSpan(kept);
    const double objective = answerSeconds / model.patienceSeconds - kept.peak;
    const double split = std::clamp(objective, keptSpan.low, keptSpan.high);
    const auto add = [&](double at, double q) {
        const double t = kept.peak + at;
        const double e = q * std::exp(all.Log(at + shift) - t);
        answered += e;
        wait += e * t;
        return e;
    };
    Integrate(kept, keptSpan.low, split, 0.0, [&](double at, double q) { fast += add(at, q); });
    Integrate(kept, split, keptSpan.high, 0.0, add);

    // On one scale with the callers who find an agent free: their mass is
    // 1 - B against the waiting's B c e^top times each integral.
    const double logWaiting = std::log(blocked) - std::log1p(-blocked) + std::log(c);
    const double scale = std::max(0.0, logWaiting + all.top);  // keeps every mass finite
    const double free = std::exp(-scale);
    const double toScale = std::exp(logWaiting + all.top - scale);
    for (double* mass : {&waiting, &abandoned, &answered, &fast, &wait}) *mass *= toScale;

    const double total = free + waiting;
    m.waitProbability = waiting / total;
    m.abandon = abandoned / total;
    m.serviceLevel = (free + fast) / total;
    m.asa = model.patienceSeconds * wait / (free + answered);
    m.occupancy = A * ((free + answered) / total) / N;
    return m;
}

}  // namespace corvane::plan
