#pragma once

#include <array>
#include <cstdint>

namespace corvane {

// An exact product of non-negative whole factors, up to 192 bits, so that
// a decision such as "calls x handle x 100 x 10^scale <= cap x agents x
// interval" is taken in whole numbers without overflow and in standard C++.
class WideProduct {
public:
    explicit WideProduct(std::uint64_t value = 1);

    // Past 192 bits the product saturates at the largest value it holds.
    WideProduct& operator*=(std::uint64_t factor);

    friend bool operator<(const WideProduct& a, const WideProduct& b);
    friend bool operator<=(const WideProduct& a, const WideProduct& b) { return !(b < a); }
    friend bool operator==(const WideProduct& a, const WideProduct& b) {
        return a.limbs_ == b.limbs_;
    }

private:
    bool MultiplyLimb(std::uint32_t factor, std::array<std::uint32_t, 6>& into, int shift) const;

    std::array<std::uint32_t, 6> limbs_{};  // least significant first
};

}  // namespace corvane
