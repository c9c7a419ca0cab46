#include <gtest/gtest.h>

#include "calc/calc_error.h"
#include "calc/number_parse.h"

namespace corvane {
namespace {

// Expected value, or the run-time error number when negative.
struct WholeCase {
    const char* text;
    long expected;
    int error;
};

int ErrorOf16(const char* text, long* value, const NumberMarks& marks = {}) {
    try {
        *value = TextToInt16(text, marks);
        return 0;
    } catch (const CalcError& e) {
        return e.number();
    }
}

TEST(TextToInt16, ConvertsRoundsAndFails) {
    const WholeCase cases[] = {
        {"180", 180, 0},     {"  180  ", 180, 0},   {"\t42", 42, 0},
        {"+7", 7, 0},        {"-5", -5, 0},         {"12.5", 12, 0},
        {"2.5", 2, 0},       {"3.5", 4, 0},         {"0.5", 0, 0},
        {"1.5", 2, 0},       {"1800.5", 1800, 0},   {"1801.5", 1802, 0},
        {"99.5", 100, 0},    {"0.6", 1, 0},         {"-2.5", -2, 0},
        {"1,800", 1800, 0},  {".5", 0, 0},          {"5.", 5, 0},
        {"32767", 32767, 0}, {"-32768", -32768, 0}, {"32767.5", 0, 6},
        {"40000", 0, 6},     {"-32769", 0, 6},      {"abc", 0, 13},
        {"", 0, 13},         {"   ", 0, 13},        {"12a", 0, 13},
        {"1 2", 0, 13},      {"--5", 0, 13},        {"-", 0, 13},
        {".", 0, 13},        {"1.2.3", 0, 13},      {",5", 0, 13},
        {"1e3", 0, 13},      {"1.5,0", 0, 13},      {"99999999999999999999999999999", 0, 6},
    };
    for (const WholeCase& c : cases) {
        long value = 0;
        const int error = ErrorOf16(c.text, &value);
        EXPECT_EQ(error, c.error) << '"' << c.text << '"';
        if (c.error == 0) {
            EXPECT_EQ(value, c.expected) << "\"" << c.text << "\"";
        }
    }
}

TEST(TextToDouble, ReadsFractions) {
    EXPECT_EQ(TextToDouble("0.14"), 0.14);
    EXPECT_EQ(TextToDouble(" 699.9 "), 699.9);
    EXPECT_EQ(TextToDouble("1,234.5"), 1234.5);
    EXPECT_EQ(TextToDouble("-0.05"), -0.05);
    EXPECT_EQ(TextToDouble("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_THROW(TextToDouble("1" + std::string(400, '0')), CalcError);
}

TEST(TextConversion, FollowsTheRegionalMarks) {
    const NumberMarks german{".", ","};
    EXPECT_EQ(TextToDouble("12,5", german), 12.5);
    EXPECT_EQ(TextToDouble("1.234,5", german), 1234.5);
    long value = 0;
    EXPECT_EQ(ErrorOf16("2,5", &value, german), 0);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(ErrorOf16("1.800", &value, german), 0);
    EXPECT_EQ(value, 1800);
    EXPECT_EQ(ErrorOf16("12.5,5", &value, german), 0);
    EXPECT_EQ(value, 126);
    EXPECT_EQ(ErrorOf16("1,2,3", &value, german), 13);
    const NumberMarks thinSpace{"\u202f", ","};
    EXPECT_EQ(TextToDouble("1\u202f234,5", thinSpace), 1234.5);
}

}  // namespace
}  // namespace corvane
