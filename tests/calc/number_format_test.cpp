#include <gtest/gtest.h>

#include "calc/calc_error.h"
#include "calc/number_format.h"
#include "support/vectors.h"

namespace corvane {
namespace {

TEST(FormatNumber, WritesThePattern) {
    const auto patterns = testing::Vectors("number-patterns");
    for (const auto& [pattern, cases] : patterns.items())
        for (const auto& c : cases)
            EXPECT_EQ(FormatNumber(c[0].get<double>(), pattern).Value(), c[1])
                << c[0] << " with " << pattern;
}

TEST(FormatNumber, JudgesTheHalfOnFifteenSignificantDigits) {
    // 8.75 in exact arithmetic, a hair below it as computed.
    EXPECT_EQ(FormatNumber(8.749999999999996, "#,##0.0").Value(), "8.8");
    EXPECT_EQ(FormatNumber(8.74999999999, "#,##0.0").Value(), "8.7");
    // The largest double below one half reads 0.500000000000000.
    EXPECT_EQ(FormatNumber(0.49999999999999994, "##0").Value(), "1");
    EXPECT_EQ(FormatNumber(0.4999999999999, "##0").Value(), "0");
}

TEST(FormatNumber, UsesTheRegionalMarks) {
    const NumberMarks german{".", ","};
    EXPECT_EQ(FormatNumber(1717.35, "#,##0.0", german).Value(), "1.717,4");
    EXPECT_EQ(FormatNumber(12.5, "##0.0", german).Value(), "12,5");
    EXPECT_EQ(FormatNumber(1234567, "#,##0", german).Value(), "1.234.567");
    const NumberMarks swiss{"\u2019", "."};
    EXPECT_EQ(FormatNumber(1234.5, "#,##0.0", swiss).Value(), "1\u2019234.5");
}

TEST(FormatNumber, RefusesNonFiniteValues) {
    for (double v :
         {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        const auto text = FormatNumber(v, "#,##0");
        ASSERT_FALSE(text) << v;
        EXPECT_EQ(text.Error(), kErrOverflow);
    }
}

TEST(RightAlignInField, PadsOrCutsAtTheRight) {
    struct Case {
        const char* text;
        std::size_t width;
        const char* expected;
    };
    const Case cases[] = {
        {"12", 5, "   12"},         {"100.0", 5, "100.0"}, {"1,381.6", 6, "1,381."},
        {"10,000.0", 7, "10,000."}, {"25405", 4, "2540"},  {"", 3, "   "},
        {"10,000", 5, "10,00"},     {"abc", 0, ""},        {"1\u2019234", 3, "1\u20192"},
    };
    for (const Case& c : cases) EXPECT_EQ(RightAlignInField(c.text, c.width), c.expected);
}

}  // namespace
}  // namespace corvane
