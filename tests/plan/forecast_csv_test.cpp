#include <gtest/gtest.h>

#include "plan/decimal.h"
#include "plan/forecast_csv.h"

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
    using namespace std::string_literals;
    struct Case {
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"", "day.csv: the file is empty"},
        {"\n \n", "day.csv: the file is empty"},
        {"interval,calls,talk\n", "day.csv: no interval rows below the header"},
        {"interval,talk\n08:00,180\n", "day.csv:1: no 'calls' column"},
        {"interval,calls\n08:00,10\n",
         "day.csv:1: no 'talk' column (give the talk time with --talk)"},
        {"calls,talk,Calls\n1,2,3\n", "day.csv:1: the column 'calls' appears twice"},
        {"interval,calls,talk\n08:00,10,180\n08:30,abc,180\n",
         "day.csv:3: calls: 'abc' is not a whole number"},
        {"interval,calls,talk\n08:00,-5,180\n", "day.csv:2: calls: '-5' is not a whole number"},
        {"interval,calls,talk\n08:00,12.5,180\n", "day.csv:2: calls: '12.5' is not a whole number"},
        {"interval,calls,talk\n08:00,,180\n", "day.csv:2: calls: '' is not a whole number"},
        {"interval,calls,talk\n08:00,5,0\n", "day.csv:2: talk: '0' must be 1 or more"},
        {"interval,calls,talk,acw\n08:00,5,10,x\n", "day.csv:2: acw: 'x' is not a whole number"},
        {"interval,calls,talk\n08:00,5\n", "day.csv:2: talk: missing value"},
        {"interval,calls,talk\n08:00,\"5\"x,180\n",
         "day.csv:2: a quote out of place (a field with quotes must be wholly quoted, its inner "
         "quotes doubled)"},
        {"interval,calls,talk\n\"08:00,5,180\n", "day.csv:2: a quoted field is never closed"},
        {"interval,calls,talk\n08:00,5,1\0"
         "80\n"s,
         "day.csv:2: not a text file (a NUL byte or bytes that are not UTF-8)"},
        {"interval,calls,talk\n\xff\xfe,5,180\n",
         "day.csv:2: not a text file (a NUL byte or bytes that are not UTF-8)"},
        // A hostile value cannot reach the terminal as control characters.
        {"interval,calls,talk\n08:00,\x1b[2J,180\n",
         "day.csv:2: calls: '?[2J' is not a whole number"},
    };
    for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.text), c.message) << c.text;
}

TEST(ForecastCsv, HugeNumbersAreWholeButCapped) {
    const Forecast f = Read("calls,talk\n99999999999999999999999,5\n");
    EXPECT_EQ(f.rows[0].calls, kWholeCap);
}

}  // namespace
}  // namespace corvane::plan
