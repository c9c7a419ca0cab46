#include "shifts/gap.h"

#include <algorithm>
#include <cmath>

namespace corvane::shifts {

double GapPercent(double best, double bound) {
    const double floor = std::isfinite(bound) ? std::max(0.0, bound) : 0.0;
    return best > 0 ? std::max(0.0, (best - floor) / best * 100.0) : 0.0;
}

}  // namespace corvane::shifts
