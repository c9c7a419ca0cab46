#include "calc/wide_product.h"

namespace corvane {

namespace {

constexpr int kLimbs = 6;

}  // namespace

WideProduct::WideProduct(std::uint64_t value) {
    limbs_[0] = static_cast<std::uint32_t>(value);
    limbs_[1] = static_cast<std::uint32_t>(value >> 32);
}

// Adds this product times `factor`, moved up `shift` limbs, into `into`;
// false when the sum would pass the top.
bool WideProduct::MultiplyLimb(std::uint32_t factor, std::array<std::uint32_t, 6>& into,
                               int shift) const {
    std::uint64_t carry = 0;
    for (int i = 0; i < kLimbs; ++i) {
        // At most (2^32 - 1)^2 + 2^32: no overflow.
        const std::uint64_t term = static_cast<std::uint64_t>(limbs_[i]) * factor + carry;
        if (i + shift >= kLimbs) {  // past the top: only a zero fits there
            if (term != 0) return false;
            carry = 0;
            continue;
        }
        const std::uint64_t sum = static_cast<std::uint64_t>(into[i + shift]) + (term & UINT32_MAX);
        into[i + shift] = static_cast<std::uint32_t>(sum);
        carry = (term >> 32) + (sum >> 32);
    }
    return carry == 0;
}

WideProduct& WideProduct::operator*=(std::uint64_t factor) {
    std::array<std::uint32_t, 6> result{};
    const bool fits = MultiplyLimb(static_cast<std::uint32_t>(factor), result, 0) &&
                      MultiplyLimb(static_cast<std::uint32_t>(factor >> 32), result, 1);
    if (!fits) result.fill(UINT32_MAX);
    limbs_ = result;
    return *this;
}

bool operator<(const WideProduct& a, const WideProduct& b) {
    for (int i = kLimbs - 1; i >= 0; --i)
        if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i];
    return false;
}

}  // namespace corvane
