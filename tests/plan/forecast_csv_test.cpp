#include <gtest/gtest.h>

#include "plan/decimal.h"
#include "plan/forecast_csv.h"
#include "support/vectors.h"

namespace corvane::plan {
namespace {

Forecast Read(std::string_view text, ForecastDefaults defaults = {}) {
    return ReadForecast(text, "day.csv", defaults);
}

std::string ErrorOf(std::string_view text, ForecastDefaults defaults = {}) {
    try {
        Read(text, defaults);
    } catch (const PlanInputError& e) {
        return e.what();
    }
    return "(accepted)";
}

TEST(ForecastCsv, LayoutsThatReadTheSame) {
    const char* const files[] = {
        "interval,calls,talk,acw\n08:00,120,180,30\n08:30,0,200,0\n",
        "\xEF\xBB\xBFinterval,calls,talk,acw\r\n08:00,120,180,30\r\n08:30,0,200,0\r\n",
        "ACW;Talk;Calls;Interval\n30;180;120;08:00\n0;200;0;08:30\n",
        "interval,calls,talk,acw,notes\n\n\"08:00\",\" 120 \",180,30,\"a, b\"\n\n08:30,0,200,0,\n",
        "Interval , CALLS,talk,acw\n08:00, 120 ,180 ,30\n08:30,0,200,0\n",
        "interval,calls,talk,acw\n08:00,120,180,30\n08:30,0,200,0",  // no final line end
    };
    for (const char* text : files) {
        SCOPED_TRACE(text);
        const Forecast f = Read(text);
        ASSERT_EQ(f.rows.size(), 2u);
        EXPECT_EQ(f.rows[0].label, "08:00");
        EXPECT_EQ(f.rows[0].calls, 120);
        EXPECT_EQ(f.rows[0].talk, 180);
        EXPECT_EQ(f.rows[0].acw, 30);
        EXPECT_EQ(f.rows[1].label, "08:30");
        EXPECT_EQ(f.rows[1].talk, 200);
    }
}

TEST(ForecastCsv, MissingColumnsAndDefaults) {
    // No interval column: rows are numbered; no acw: 0 or --acw; no talk: --talk.
    const Forecast f = Read("calls\n10\n\n20\n", {180, 15});
    ASSERT_EQ(f.rows.size(), 2u);
    EXPECT_EQ(f.rows[0].label, "1");
    EXPECT_EQ(f.rows[1].label, "2");
    EXPECT_EQ(f.rows[1].line, 4);  // the blank line still counts
    EXPECT_EQ(f.rows[1].talk, 180);
    EXPECT_EQ(f.rows[1].acw, 15);
    // A column in the file wins over the option.
    EXPECT_EQ(Read("calls,talk\n10,200\n", {180, 0}).rows[0].talk, 200);
    // A label with a comma, quotes and a line break is kept as written.
    EXPECT_EQ(Read("interval,calls,talk\n\"Mon \"\"am\"\", 08:00\",1,2\n").rows[0].label,
              "Mon \"am\", 08:00");
}

TEST(ForecastCsv, BadInputNamesFileLineAndColumn) {
    for (const auto& c : testing::Vectors("bad-forecasts"))
        EXPECT_EQ(ErrorOf(c["csv"].get<std::string>()), c["message"]) << c["csv"];
    // Bytes that are not UTF-8, which JSON cannot carry.
    EXPECT_EQ(ErrorOf("interval,calls,talk\n\xff\xfe,5,180\n"),
              "day.csv:2: not a text file (a NUL byte or bytes that are not UTF-8)");
}

TEST(ForecastCsv, HugeNumbersAreWholeButCapped) {
    const Forecast f = Read("calls,talk\n99999999999999999999999,5\n");
    EXPECT_EQ(f.rows[0].calls, kWholeCap);
}

}  // namespace
}  // namespace corvane::plan
