#include <gtest/gtest.h>

#include "calc/calc_error.h"
#include "calc/number_parse.h"
#include "support/vectors.h"

namespace corvane {
namespace {

int ErrorOf16(const std::string& text, long* value, const NumberMarks& marks = {}) {
    const auto read = TextToInt16(text, marks);
    if (!read) return read.Error();
    *value = read.Value();
    return 0;
}

// A whole number read, or the run-time error number it fails with.
TEST(TextToInt16, ConvertsRoundsAndFails) {
    for (const auto& c : testing::Vectors("whole-numbers")) {
        long value = 0;
        EXPECT_EQ(ErrorOf16(c["text"], &value), c.value("error", 0)) << c;
        EXPECT_EQ(value, c.value("value", 0L)) << c;  // untouched on a failure
    }
}

TEST(TextToDouble, ReadsFractions) {
    EXPECT_EQ(TextToDouble("0.14").Value(), 0.14);
    EXPECT_EQ(TextToDouble(" 699.9 ").Value(), 699.9);
    EXPECT_EQ(TextToDouble("1,234.5").Value(), 1234.5);
    EXPECT_EQ(TextToDouble("-0.05").Value(), -0.05);
    EXPECT_EQ(TextToDouble("0." + std::string(400, '0') + "1").Value(), 0.0);
    EXPECT_EQ(TextToDouble("1" + std::string(400, '0')).Error(), kErrOverflow);
}

TEST(TextConversion, FollowsTheRegionalMarks) {
    const NumberMarks german{".", ","};
    EXPECT_EQ(TextToDouble("12,5", german).Value(), 12.5);
    EXPECT_EQ(TextToDouble("1.234,5", german).Value(), 1234.5);
    long value = 0;
    EXPECT_EQ(ErrorOf16("2,5", &value, german), 0);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(ErrorOf16("1.800", &value, german), 0);
    EXPECT_EQ(value, 1800);
    EXPECT_EQ(ErrorOf16("12.5,5", &value, german), 0);
    EXPECT_EQ(value, 126);
    EXPECT_EQ(ErrorOf16("1,2,3", &value, german), 13);
    const NumberMarks thinSpace{"\u202f", ","};
    EXPECT_EQ(TextToDouble("1\u202f234,5", thinSpace).Value(), 1234.5);
}

}  // namespace
}  // namespace corvane
