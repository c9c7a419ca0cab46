#include "shifts/service_curve.h"

#include <algorithm>

#include "calc/calc_error.h"
#include "plan/erlang_a.h"
#include "plan/erlang_c.h"
#include "plan/interval_plan.h"

namespace corvane::shifts {

namespace {

// The curve ends where the next agent adds less than this to the service
// level, or after this many agents.
constexpr double kNegligible = 1e-7;
constexpr std::size_t kMostSteps = 400;
// Increments this much larger than the one before break concavity.
constexpr double kRise = 1e-12;

}  // namespace

std::optional<ServiceCurve> CurveOf(const Demand& d, const plan::PlanOptions& options,
                                    const std::optional<plan::Decimal>& floorPercent) {
    // The least count: the interval planned to the floor (or to a target
    // any count above the traffic meets), with the plan's other limits.
    plan::PlanOptions least = options;
    least.slPercent = floorPercent && floorPercent->units > 0 ? *floorPercent : plan::Decimal{1, 9};
    input::ForecastRow row;
    row.label = d.label;
    row.line = d.line;
    row.calls = d.calls;
    row.talk = d.handle;
    const plan::IntervalPlan planned = plan::PlanInterval(row, least);
    if (planned.status != plan::IntervalStatus::Planned) return std::nullopt;
    ServiceCurve curve;
    curve.low = planned.agents;
    const double traffic = d.calls * d.handle / options.IntervalSeconds();
    auto next = [&, walk = plan::ErlangCWalk(traffic, d.handle)](long n) mutable {
        if (options.patience)
            return plan::ErlangA(plan::ErlangAModel{d.calls / options.IntervalSeconds(), d.handle,
                                                    static_cast<double>(*options.patience)},
                                 static_cast<int>(n), options.answerSeconds)
                .serviceLevel;
        long at = 0;
        do at = walk.NextAgents();
        while (at < n);
        return walk.Measures(options.answerSeconds).serviceLevel;
    };
    try {
        for (long n = curve.low;; ++n) {
            const double level = next(n);
            if (!curve.level.empty() && (level - curve.level.back() < kNegligible ||
                                         curve.level.size() >= kMostSteps)) {
                curve.level.push_back(level);
                break;
            }
            curve.level.push_back(level);
        }
    } catch (const CalcError&) {
        return std::nullopt;
    }
    // Where an increment exceeds the one before, the curve starts after it:
    // fewer agents there are not offered, rather than modelled wrongly.
    std::size_t from = 0;
    for (std::size_t k = 2; k < curve.level.size(); ++k)
        if (curve.level[k] - curve.level[k - 1] > curve.level[k - 1] - curve.level[k - 2] + kRise)
            from = k - 1;
    curve.low += static_cast<long>(from);
    curve.level.erase(curve.level.begin(), curve.level.begin() + static_cast<long>(from));
    return curve;
}

}  // namespace corvane::shifts
