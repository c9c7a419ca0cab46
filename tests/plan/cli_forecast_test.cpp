// corvane-forecast run as a planner runs it: its forecast planned by
// corvane-plan unchanged, through a pipe too; what it refuses, and that a
// refusal writes nothing.
#include <nlohmann/json.hpp>

#include <algorithm>
#include <sstream>

#include "plan_cli_fixture.h"

namespace corvane::testing {
namespace {

// Four weeks from Monday 2027-03-01, weekdays 08:00-09:30 in half-hours,
// 40 calls an interval on Mondays, 20 on other weekdays, 120 s talk and
// 30 s acw; weekends without rows.
std::string FourWeeks() {
    std::string text = "Date,Interval,Calls,Talk Time,ACW\n";
    for (int day = 1; day <= 26; ++day) {
        const int weekday = (day - 1) % 7;  // 0 = Monday
        if (weekday >= 5) continue;
        for (const char* time : {"08:00", "08:30", "09:00", "09:30"})
            text += "2027-03-" + std::string(day < 10 ? "0" : "") + std::to_string(day) + "," +
                    time + "," + (weekday == 0 ? "40" : "20") + ",120,30\n";
    }
    return text;
}

class ForecastCli : public PlanCli {
protected:
    Result Forecast(const std::string& args, const std::string& input = "") {
        return RunProgram(CORVANE_FORECAST, args, input);
    }
};

TEST_F(ForecastCli, ItsForecastIsPlannedUnchangedThroughAPipeToo) {
    Spit("history.csv", FourWeeks());
    const Result f = Forecast("--weeks 1 --range 80 history.csv");
    ASSERT_EQ(f.status, 0) << f.err;
    // The week after Friday 26 March: a closed weekend, then five weekdays
    // as every week of the history was.
    std::istringstream lines(f.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "date,time,calls,calls_low,calls_high,talk,acw");
    std::getline(lines, line);
    EXPECT_EQ(line.rfind("2027-03-29,08:00,40.00,", 0), 0u) << line;
    EXPECT_NE(line.find(",120.0,30.0"), std::string::npos) << line;
    // The header and five weekdays of four half-hours.
    EXPECT_EQ(std::count(f.out.begin(), f.out.end(), '\n'), 1 + 5 * 4);

    Spit("forecast.csv", f.out);
    const Result planned = Run("--format csv forecast.csv");
    ASSERT_EQ(planned.status, 0) << planned.err;
    EXPECT_NE(planned.out.find("2027-03-29 08:00,40,120,30,"), std::string::npos) << planned.out;
    const Result piped = Run("--format csv -", f.out);
    ASSERT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, planned.out);
    // The history from standard input gives the same forecast.
    const Result fromInput = Forecast("--weeks 1 --range 80 -", FourWeeks());
    ASSERT_EQ(fromInput.status, 0) << fromInput.err;
    EXPECT_EQ(fromInput.out, f.out);
}

TEST_F(ForecastCli, JsonSaysWhichDatesAreClosed) {
    Spit("history.csv", FourWeeks());
    const Result f = Forecast("--days 3 --format json --method weekday-mean history.csv");
    ASSERT_EQ(f.status, 0) << f.err;
    const auto json = nlohmann::json::parse(f.out);
    EXPECT_EQ(json["method"], "weekday-mean");
    ASSERT_EQ(json["days"].size(), 3u);
    EXPECT_EQ(json["days"][0]["date"], "2027-03-27");
    EXPECT_TRUE(json["days"][0]["closed"].get<bool>());
    EXPECT_TRUE(json["days"][1]["closed"].get<bool>());
    EXPECT_FALSE(json["days"][2]["closed"].get<bool>());
    EXPECT_DOUBLE_EQ(json["days"][2]["calls"].get<double>(), 160);
    EXPECT_EQ(json["days"][2]["intervals"].size(), 4u);
}

TEST_F(ForecastCli, RefusalsWriteNothing) {
    Spit("history.csv", FourWeeks());
    Spit("short.csv", "Date,Time,Calls\n2027-03-01,08:00,5\n2027-03-08,08:00,5\n");
    Spit("negative.csv", FourWeeks() + "2027-03-29,08:00,-4,120,30\n");
    struct Case {
        const char* args;
        const char* message;
    };
    const Case cases[] = {
        {"history.csv -o history.csv", "corvane-forecast: -o: history.csv is the history being read"},
        {"--weeks 2 --days 3 history.csv -o out.csv",
         "corvane-forecast: --weeks and --days: give one of them"},
        {"--weeks 53 history.csv -o out.csv",
         "corvane-forecast: --weeks: '53' must be a whole number from 1 to 52"},
        {"--range 100 history.csv -o out.csv", "corvane-forecast: --range: "},
        {"--method magic history.csv -o out.csv", "corvane-forecast: --method: 'magic' must be"},
        {"short.csv -o out.csv",
         "corvane-forecast: short.csv: the history covers 8 days (2027-03-01 to 2027-03-08): a "
         "forecast needs at least two weeks"},
        {"negative.csv -o out.csv", "corvane-forecast: negative.csv:82: Calls: '-4' must not be "
                                    "negative"},
        {"missing.csv -o out.csv", "corvane-forecast: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const Result r = Forecast(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.rfind(c.message, 0), 0u) << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(fs::exists(dir_ / "out.csv"));
        EXPECT_EQ(Slurp(dir_ / "history.csv"), FourWeeks());
    }
}

}  // namespace
}  // namespace corvane::testing
