#include "plan/shrinkage.h"

#include <cassert>
#include <cstdint>

namespace corvane::plan {

long ScheduledAgents(long agents, const Decimal& shrinkage) {
    // shrinkage = units / (100 * 10^scale); on the phones: (D - units) / D.
    // D is at most 10^11 and the agents far below 10^7, so every product
    // here fits in 64 bits.
    const std::uint64_t D = 100 * shrinkage.Denominator();
    assert(shrinkage.units < D);  // the options refuse 100 % and more
    const std::uint64_t onPhones = D - shrinkage.units;
    if (agents <= 0) return 0;
    const std::uint64_t need = static_cast<std::uint64_t>(agents) * D;
    return static_cast<long>((need + onPhones - 1) / onPhones);
}

}  // namespace corvane::plan
