#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "plan/decimal.h"
#include "input/forecast_csv.h"
#include "plan/interval_plan.h"
#include "input/label_time.h"
#include "support/vectors.h"

namespace corvane::input {
namespace {

Forecast Read(std::string_view text, ForecastDefaults defaults = {}) {
    auto read = ReadForecast(text, "day.csv", defaults);
    EXPECT_TRUE(read) << read.Error().message;
    return read ? std::move(read.Value()) : Forecast{};
}

std::string ErrorOf(std::string_view text, ForecastDefaults defaults = {}) {
    const auto read = ReadForecast(text, "day.csv", defaults);
    return read ? "(accepted)" : read.Error().message;
}

std::vector<ForecastRow> ReadTrickled(std::string_view text, std::size_t step) {
    TextSource source(text, step);
    ForecastReader reader(source, "day.csv", {});
    std::vector<ForecastRow> rows;
    ForecastRow row;
    for (auto more = reader.Next(row); more && more.Value(); more = reader.Next(row))
        rows.push_back(row);
    return rows;
}

TEST(ForecastCsv, LayoutsThatReadTheSame) {
    const char* const files[] = {
        "interval,calls,talk,acw\r08:00,120,180,30\r08:30,0,200,0\r",  // old Mac line ends
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
        // Read in pieces of any size, the rows and their lines are the same.
        for (const std::size_t step : {1, 2, 3, 7}) {
            const auto rows = ReadTrickled(text, step);
            ASSERT_EQ(rows.size(), 2u) << step;
            for (std::size_t i = 0; i < 2; ++i)
                EXPECT_TRUE(rows[i].label == f.rows[i].label && rows[i].line == f.rows[i].line &&
                            rows[i].calls == f.rows[i].calls)
                    << step;
        }
    }
}

// A row without calls needs no handle time: empty, "-", 0 or left out,
// it is planned as 0 agents. With calls, each is refused as before.
TEST(ForecastCsv, RowsWithoutCallsNeedNoHandleTime) {
    const Forecast f = Read(
        "interval,calls,talk,acw\n00:00,0,,\n00:30,0,-,-\n01:00,0,0,0\n01:30,0\n"
        "08:00,12,180,30\n");
    ASSERT_EQ(f.rows.size(), 5u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(f.rows[i].talk, 0) << i;
        EXPECT_EQ(f.rows[i].acw, 0) << i;
        EXPECT_EQ(plan::PlanInterval(f.rows[i], plan::PlanOptions{}).agents, 0) << i;
    }
    EXPECT_EQ(f.rows[4].talk, 180);
    for (const char* row : {"08:00,12,,30", "08:00,12,-,30", "08:00,12,0,30", "08:00,12"})
        EXPECT_NE(ErrorOf(std::string("interval,calls,talk,acw\n") + row + "\n"), "") << row;
    const Forecast aht = Read("interval,calls,aht\n00:00,0,-\n08:00,3,200\n");
    EXPECT_EQ(aht.rows[0].talk, 0);
}

// Exports as workforce tools and spreadsheets write them: the same two
// quarter-hours of 2027-03-01, fractional figures, handle times as
// durations, dates in their three layouts.
TEST(ForecastCsv, ExportsWithDatesReadTheSame) {
    const std::pair<const char*, DateOrder> files[] = {
        {"Date;Time;Offered;AHT\n01.03.2027;08:00;120,4;0:04:05\n01.03.2027;08:15;99,5;4:05\n",
         DateOrder::Unknown},
        {"DateTime,Volume,Talk Time,Wrap Up\n2027-03-01T08:00,120.4,215,30\n"
         "2027-03-01T08:15,99.5,215,30\n",
         DateOrder::Unknown},
        {"date,start,contacts,handle_time\n03/01/2027,8:00,120.4,245\n03/01/2027,8:15,99.5,245\n",
         DateOrder::MonthFirst},
        {"date,start,contacts,handle_time\n01/03/2027,8:00,120.4,245\n1/3/2027,8:15,99.5,245\n",
         DateOrder::DayFirst},
        {"Timestamp,Calls,AHT\n01.03.2027 08:00,120.4,245\n01.03.2027 08:15:00,99.5,245.0\n",
         DateOrder::Unknown},
        {"Interval,Calls Offered,AHT (min)\n3/1/2027 8:00 AM,120.4,4.0833333333333333\n"
         "3/1/2027 8:15 AM,99.5,4:05\n3/30/2027 8:00 AM,1,4\n",
         DateOrder::Unknown},
        {"Title: daily forecast\n\tsite: north\nDate\tTime\tForecast\tAHT\n"
         "2027-03-01\t08:00\t120,4\t245\n2027-03-01\t08:15\t99.5\t245\n",
         DateOrder::Unknown},
    };
    for (const auto& [text, order] : files) {
        SCOPED_TRACE(text);
        const Forecast f = Read(text, {std::nullopt, 0, order});
        ASSERT_GE(f.rows.size(), 2u);
        EXPECT_EQ(f.rows[0].label, "2027-03-01 08:00");
        EXPECT_EQ(f.rows[1].label, "2027-03-01 08:15");
        EXPECT_EQ(f.rows[0].calls, 120.4);
        EXPECT_EQ(f.rows[1].calls, 99.5);
        EXPECT_NEAR(f.rows[0].talk + f.rows[0].acw, 245, 1e-9);
        EXPECT_NEAR(f.rows[1].talk + f.rows[1].acw, 245, 1e-9);
        EXPECT_EQ(f.rows[1].minute, 495);
        EXPECT_EQ(f.rows[1].day, DayNumber({2027, 3, 1}));
    }
    // A label column of times alone carries the time, not a date.
    const Forecast times = Read("interval,calls,talk\n07:30 - 08:00,5,180\nLate peak,5,180\n");
    EXPECT_EQ(times.rows[0].minute, 450);
    EXPECT_FALSE(times.rows[0].day || times.rows[1].minute);
}

TEST(ForecastCsv, RowsAndLabelsHaveLimits) {
    // A label of 64 characters (here 2-byte ones) is read; a row past 64 KiB
    // is refused where it starts, without reading on to its end.
    const std::string label64 = [] {
        std::string s;
        for (int i = 0; i < 64; ++i) s += "\xC3\xA9";
        return s;
    }();
    EXPECT_EQ(Read("interval,calls,talk\n" + label64 + ",5,180\n").rows[0].label, label64);
    const std::string tooLong = "day.csv:3: a row longer than 64 KiB (is this a forecast file?)";
    const std::string filler(70 * 1024, 'x');
    EXPECT_EQ(ErrorOf("interval,calls,talk\n08:00,5,180\n" + filler + ",5,180\n"), tooLong);
    EXPECT_EQ(ErrorOf("interval,calls,talk\n08:00,5,180\n\"" + filler + "\n\",5,180\n"), tooLong);
    EXPECT_EQ(ErrorOf(filler), "day.csv:1: a row longer than 64 KiB (is this a forecast file?)");
    // A UTF-8 character cut by the end of the file is no text.
    EXPECT_EQ(ErrorOf("interval,calls,talk\n08:00,5,180\xC3"),
              "day.csv:2: not a text file (a NUL byte or bytes that are not UTF-8)");
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
    EXPECT_EQ(Read("interval,calls,talk\n\"Mon \"\"am\"\", 08:00\",1,200\n").rows[0].label,
              "Mon \"am\", 08:00");
}

TEST(ForecastCsv, BadInputNamesFileLineAndColumn) {
    for (const auto& c : testing::Vectors("bad-forecasts"))
        EXPECT_EQ(ErrorOf(c["csv"].get<std::string>()), c["message"]) << c["csv"];
    // Bytes that are not UTF-8, which JSON cannot carry.
    EXPECT_EQ(ErrorOf("interval,calls,talk\n\xff\xfe,5,180\n"),
              "day.csv:2: not a text file (a NUL byte or bytes that are not UTF-8)");
}

// Exports as planners' tools write them, each read as the planner means it
// and the same in one-byte pieces; what the reader decided is said.
TEST(ForecastCsv, ExportsReadAsMeant) {
    for (const auto& c : testing::Vectors("read-exports")) {
        SCOPED_TRACE(c["what"].get<std::string>());
        const std::string csv = c["csv"];
        ForecastDefaults defaults;
        if (c.contains("order"))
            defaults.dateOrder = c["order"] == "dmy" ? DateOrder::DayFirst : DateOrder::MonthFirst;
        for (const std::size_t piece : {csv.size(), std::size_t{1}}) {
            TextSource source(csv, piece);
            ForecastReader reader(source, "day.csv", defaults);
            std::vector<ForecastRow> rows;
            ForecastRow row;
            for (;;) {
                const auto more = reader.Next(row);
                ASSERT_TRUE(more) << more.Error().message;
                if (!more.Value()) break;
                rows.push_back(row);
            }
            ASSERT_EQ(rows.size(), c["rows"].size());
            for (std::size_t i = 0; i < rows.size(); ++i) {
                const auto& want = c["rows"][i];
                EXPECT_EQ(rows[i].label, want[0]);
                EXPECT_EQ(rows[i].minute.value_or(-1), want[1].get<int>());
                EXPECT_DOUBLE_EQ(rows[i].calls, want[2].get<double>());
                EXPECT_NEAR(rows[i].talk + rows[i].acw, want[3].get<double>(), 1e-9);
            }
            EXPECT_EQ(reader.Notices(),
                      c.value("notices", std::vector<std::string>{}));
        }
    }
}

TEST(ForecastCsv, Utf16TextAsSpreadsheetsSaveIt) {
    // "Unicode text": UTF-16 with its mark, tabs, CR LF; both byte orders,
    // a character beyond the first plane in a label.
    const std::u16string text = u"Time\tCalls\tAHT\r\n08:00 \U0001F4DE\t10,5\t300\r\n";
    for (const bool big : {false, true}) {
        std::string bytes = big ? "\xFE\xFF" : "\xFF\xFE";
        for (const char16_t unit : text) {
            const char hi = static_cast<char>(unit >> 8), lo = static_cast<char>(unit & 0xFF);
            bytes += big ? std::string{hi, lo} : std::string{lo, hi};
        }
        for (const std::size_t piece : {bytes.size(), std::size_t{1}, std::size_t{3}}) {
            SCOPED_TRACE(piece);
            TextSource source(bytes, piece);
            ForecastReader reader(source, "day.csv", {});
            ForecastRow row;
            const auto more = reader.Next(row);
            ASSERT_TRUE(more) << more.Error().message;
            EXPECT_EQ(row.label, "08:00 \xF0\x9F\x93\x9E");
            EXPECT_EQ(row.calls, 10.5);
            EXPECT_EQ(row.talk, 300);
        }
        // Cut in the middle of a character: the last line break's.
        EXPECT_EQ(ErrorOf(bytes.substr(0, bytes.size() - 1)),
                  "day.csv:3: not valid UTF-16 text (a character cut in half)");
    }
}

TEST(ForecastCsv, HugeNumbersAreWholeButCapped) {
    const Forecast f = Read("calls,talk (s)\n99999999999999999999999,5\n");
    EXPECT_EQ(f.rows[0].calls, plan::kWholeCap);
}

}  // namespace
}  // namespace corvane::plan
