#pragma once

namespace corvane::shifts {

// How far, in per cent of `best`, the best cost found lies above `bound`,
// the least any solution can cost: 0 when it is proven (or has no cost).
double GapPercent(double best, double bound);

}  // namespace corvane::shifts
