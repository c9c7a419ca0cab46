#include "plan/shrinkage.h"

#include <stdexcept>

namespace corvane::plan {

long ScheduledAgents(long agents, const Decimal& shrinkage) {
    // shrinkage = units / (100 * 10^scale); on the phones: (D - units) / D.
    const __int128 D = static_cast<__int128>(100) * shrinkage.Denominator();
    const __int128 onPhones = D - shrinkage.units;
    if (onPhones <= 0) throw std::invalid_argument("shrinkage must be below 100 %");
    if (agents <= 0) return 0;
    const __int128 need = static_cast<__int128>(agents) * D;
    return static_cast<long>((need + onPhones - 1) / onPhones);
}

}  // namespace corvane::plan
