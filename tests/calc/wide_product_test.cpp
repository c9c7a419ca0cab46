#include <gtest/gtest.h>

#include <initializer_list>

#include "calc/wide_product.h"

namespace corvane {
namespace {

constexpr std::uint64_t kMax = UINT64_MAX;  // 65535 x 281479271743489

WideProduct Of(std::initializer_list<std::uint64_t> factors) {
    WideProduct p;
    for (const std::uint64_t f : factors) p *= f;
    return p;
}

TEST(WideProduct, ExactProductsCompareAndSaturate) {
    // Each pair is one number (checked with Python's whole numbers), so
    // every carry between the 32-bit limbs has to be right.
    const std::pair<WideProduct, WideProduct> cases[] = {
        // The largest occupancy load: 2^31 - 1 calls of 32767 s against a cap with 9 decimals.
        {Of({2147483647, 32767, 100, 1'000'000'000}), Of({70366596661249, 100'000'000'000})},
        {Of({kMax, kMax}), Of({65535, 281479271743489, kMax})},
        {Of({1ull << 63, 2, 1ull << 63}), Of({1ull << 32, 1ull << 32, 1ull << 32, 1ull << 31})},
        {Of({1ull << 63, 1ull << 63, 1ull << 63, 4}),
         Of({1ull << 32, 1ull << 32, 1ull << 32, 1ull << 32, 1ull << 32, 1ull << 31})},
        {Of({0, kMax}), Of({0})},
    };
    for (const auto& [a, b] : cases) EXPECT_TRUE(a == b && a <= b && b <= a && !(a < b || b < a));
    // (2^64 - 1)^2 = 2^128 - 2^65 + 1 lies between 2^127 and 2^128.
    EXPECT_TRUE(Of({1ull << 63, 1ull << 63, 2}) < Of({kMax, kMax}));
    EXPECT_FALSE(Of({1ull << 63, 1ull << 63, 4}) <= Of({kMax, kMax}));
    // Past 192 bits a product saturates and stays the largest there is.
    const WideProduct saturated = Of({1ull << 63, 1ull << 63, 1ull << 63, 8});
    EXPECT_TRUE(Of({kMax, kMax, kMax}) < saturated);
    EXPECT_TRUE(Of({1ull << 63, 1ull << 63, 1ull << 63, 8, 5}) == saturated);
}

}  // namespace
}  // namespace corvane
