#pragma once

#include <cstdint>
#include <functional>

// The trunk-count search done the slow, literal way: every logarithm sum
// and every term recomputed for each candidate (cubic work). Kept as the
// reference the fast search must match bit for bit.
namespace corvane::testing {

struct LiteralTrunkResult {
    std::int16_t trunks = 0;
    int error = 0;  // run-time error number, 0 when none
};

// Calls onCandidate(N, B) for every candidate; returns when B <= P/100 or
// on a failure.
LiteralTrunkResult LiteralTrunksRequired(double A, double P,
                                         const std::function<void(int, double)>& onCandidate = {});

}  // namespace corvane::testing
