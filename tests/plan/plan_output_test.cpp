// The writers and the totals of a plan, apart from the program around them.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>

#include "report/chart_series.h"
#include "plan/day_plan.h"
#include "input/forecast_csv.h"
#include "input/label_time.h"
#include "report/plan_columns.h"
#include "report/plan_output.h"
#include "plan/streamed_plan.h"
#include "input/text_check.h"
#include "support/vectors.h"

namespace corvane::plan {
namespace {

DayPlan Plan(const std::string& csv, const PlanOptions& options = {}) {
    const auto forecast = input::ReadForecast(csv, "in.csv", {});
    EXPECT_TRUE(forecast);
    auto plan = PlanDay(forecast ? forecast.Value() : input::Forecast{}, options);
    EXPECT_TRUE(plan);
    return plan ? std::move(plan.Value()) : DayPlan{options, {}, PlanTotals()};
}

// The cells' fixed decimals are the standard library's, to the last digit:
// exact halves rounded to even, values next to them, the tiny, the large,
// the negative, and random values of every size.
TEST(PlanOutput, FixedDecimalsAreTheStandardLibrarys) {
    const auto standard = [](double value, int decimals) {
        char buf[400];
        const auto r =
            std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
        return std::string(buf, r.ptr);
    };
    const auto ours = [](double value, int decimals) {
        std::string out = "x";  // appended to what is there
        report::AppendFixed(out, value, decimals);
        return out.substr(1);
    };
    std::vector<double> values = {0.125, 0.375, 2.5, 3.5, 0.5, 1.5, 0.0005, 0.0015, 1.005,
                                  0.045, 12.345, 99.995, 100.0, 0.0, -0.0, -2.5, -0.001,
                                  1e-300, 5e-324, 0.999999, 9.9995, 1e15 + 0.5, 0x1p52 + 1,
                                  0x1p53 - 1, 0x1p53, 1e300,
                                  std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN()};
    for (int k = 0; k < 4000; ++k) {  // every exact half and quarter up to 1000
        values.push_back(k / 4.0);
        values.push_back(std::nextafter(k / 8.0, 0.0));
        values.push_back(std::nextafter(k / 8.0, 1e9));
    }
    std::mt19937_64 random(20261207);
    for (int k = 0; k < 300000; ++k) {
        const double magnitude = std::ldexp(1.0, static_cast<int>(random() % 80) - 40);
        values.push_back(magnitude * std::uniform_real_distribution<double>(0, 1)(random));
    }
    int wrong = 0;
    for (const double v : values)
        for (int decimals = 0; decimals <= 4; ++decimals)
            if (ours(v, decimals) != standard(v, decimals) && ++wrong <= 10)
                ADD_FAILURE() << v << " to " << decimals << ": " << ours(v, decimals) << " vs "
                              << standard(v, decimals);
    EXPECT_EQ(wrong, 0);
}

TEST(PlanOutput, LabelsASpreadsheetWouldRunAreTextInCsvOnly) {
    // Each label as the file has it (CSV-quoted where needed) and as the CSV plan writes it.
    for (const auto& c : testing::Vectors("csv-labels")) {
        SCOPED_TRACE(c.dump());
        const DayPlan plan =
            Plan("interval,calls,talk\n" + c["label"].get<std::string>() + ",10,180\n");
        const std::string csv = report::PlanText(plan, report::PlanFormat::Csv, "in.csv");
        const std::string row = csv.substr(csv.find("\r\n") + 2);
        EXPECT_EQ(row.substr(0, row.rfind(",10,180,")), c["csv"]);
        // JSON and text keep the label as read.
        const auto json = nlohmann::json::parse(report::PlanText(plan, report::PlanFormat::Json, "in.csv"));
        EXPECT_EQ(json["rows"][0]["interval"], plan.rows[0].input.label);
    }
}

TEST(PlanOutput, JsonIsValidUtf8WhateverTheFileName) {
    const DayPlan plan = Plan("interval,calls,talk\n08:00,10,180\n");
    const std::string json = report::PlanText(plan, report::PlanFormat::Json, "plan\xff\xfe.csv");
    EXPECT_EQ(input::ScanUtf8(json).valid, json.size());
    EXPECT_EQ(nlohmann::json::parse(json)["file"], "plan\xEF\xBF\xBD\xEF\xBF\xBD.csv");
}

TEST(PlanOutput, TotalsRefuseToWrapRound) {
    // Scheduled agents near the top of 64 bits, as a shrinkage of
    // 99.999999999 % over a long file gives: the second would wrap negative.
    PlanTotals totals;
    IntervalPlan huge;
    huge.scheduled = std::numeric_limits<std::int64_t>::max() / 2 + 1;
    ASSERT_TRUE(totals.Add(huge));
    const auto refused = totals.Add(huge);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.Error().message.find("too large to add up"), std::string::npos);
    EXPECT_GT(totals.ScheduledHours(), 2e18);  // half-hours: the sum before the refused one
}

TEST(PlanOutput, StreamedPlanWritesWhatThePlanInMemoryWrites) {
    // More rows than are kept, so the second pass reads the file again and
    // plans the rows past the kept ones afresh. Labels short and long (the
    // kept rows hold up to 24 bytes in place), dated and not.
    std::string csv = "interval,calls,talk,acw\n";
    const std::size_t rows = StreamedPlan::kKeptRows + 500;
    const auto label = [](std::size_t i) {
        if (i % 11 == 0) return std::string(18 + i % 13, 'L') + std::to_string(i);
        if (i % 13 == 0)  // each date once: an interval given twice is refused
            return std::to_string(2027 + i / 13 / 18) + "-03-" + std::to_string(10 + i / 13 % 18) +
                   " 07:30";
        return (i % 7 == 0 ? "=x" : "t") + std::to_string(i);
    };
    for (std::size_t i = 0; i < rows; ++i)
        csv += label(i) + "," + std::to_string(i % 997) + "," + std::to_string(120 + i % 100) +
               ",15\n";
    PlanOptions options;
    options.shrinkage = Decimal{25, 0};
    const DayPlan whole = Plan(csv, options);
    for (const report::PlanFormat format : {report::PlanFormat::Text, report::PlanFormat::Csv, report::PlanFormat::Json}) {
        StreamedPlan streamed(options);
        input::TextSource first(csv), second(csv), third(csv);
        input::ForecastReader firstReader(first, "in.csv", {});
        input::ForecastReader secondReader(second, "in.csv", {});
        input::ForecastReader thirdReader(third, "in.csv", {});
        ASSERT_TRUE(streamed.Read(firstReader));
        ASSERT_FALSE(streamed.KeptWhole());
        const auto writer = report::MakePlanWriter(format, streamed.Options(), "in.csv");
        ASSERT_TRUE(
            streamed.Plan(&secondReader, [&](const IntervalPlan& p) { writer->Measure(p); }));
        std::string out = writer->Head();
        ASSERT_TRUE(
            streamed.Write(&thirdReader, [&](const IntervalPlan& p) { out += writer->Row(p); }));
        out += writer->Tail(streamed.Totals(), nullptr);
        // Compared by their first difference: the texts are megabytes long.
        const std::string expected = report::PlanText(whole, format, "in.csv");
        const auto differ = std::mismatch(out.begin(), out.end(), expected.begin(), expected.end());
        const auto at = static_cast<std::size_t>(differ.first - out.begin());
        EXPECT_TRUE(out == expected)
            << static_cast<int>(format) << ": from byte " << at << ": '" << out.substr(at, 60)
            << "' against '" << expected.substr(at, 60) << "'";
    }
}

TEST(PlanOutput, ChartSeriesOfAnyLengthStaysBounded) {
    report::ChartSeries series;
    const std::size_t n = report::ChartSeries::kMaxPoints * 3 + 5;
    for (std::size_t i = 0; i < n; ++i) {
        IntervalPlan p;
        p.input.label = std::to_string(i);
        p.agents = static_cast<long>(i % 100);
        p.scheduled = p.agents + 1;
        p.status = i == 12345 ? IntervalStatus::OutsideRange : IntervalStatus::Planned;
        series.Add(p);
    }
    EXPECT_EQ(series.IntervalsPerPoint(), 4u);
    EXPECT_EQ(series.Points().size(), (n + 3) / 4);
    // Each point holds the most of the intervals it covers, and the first label.
    const auto& second = series.Points()[1];
    EXPECT_TRUE(second.label == "4" && second.agents == 7 && second.scheduled == 8);
    EXPECT_TRUE(series.Points()[3086].outsideRange && !series.Points()[3087].outsideRange);
}

// Two days of quarter-hours out of date order, one interval outside the
// range: per day the agent-hours and the peak, in text and JSON; the heat
// map's rows in date order, a gap where an interval is missing.
TEST(PlanOutput, DaysAddUpAndChartByTimeOfDay) {
    const DayPlan plan = Plan(
        "date,time,calls,talk\n2027-03-02,08:00,100,180\n2027-03-02,08:15,300,180\n"
        "2027-03-01,08:00,50,180\n2027-03-01,08:15,9000000000,180\n2027-03-01,08:45,40,180\n");
    ASSERT_EQ(plan.options.intervalMinutes, 15);
    const std::vector<long> agents = {plan.rows[0].agents, plan.rows[1].agents, plan.rows[2].agents,
                                      plan.rows[4].agents};
    const auto& days = plan.totals.Days();
    ASSERT_EQ(days.size(), 2u);
    EXPECT_EQ(input::DateText(days[0].day), "2027-03-02");
    EXPECT_EQ(days[0].sums.required, agents[0] + agents[1]);
    EXPECT_EQ(days[0].sums.peak->label, "2027-03-02 08:15");
    EXPECT_EQ(days[1].sums.required, agents[2] + agents[3]);
    EXPECT_EQ(plan.totals.Hours(days[1].sums.required), (agents[2] + agents[3]) / 4.0);

    const std::string text = report::PlanText(plan, report::PlanFormat::Text, "in.csv");
    EXPECT_NE(text.find("2027-03-02 Tue"), std::string::npos) << text;
    EXPECT_NE(text.find("2027-03-01 Mon"), std::string::npos);
    const auto json = nlohmann::json::parse(report::PlanText(plan, report::PlanFormat::Json, "in.csv"));
    ASSERT_EQ(json["days"].size(), 2u);
    EXPECT_EQ(json["days"][1]["date"], "2027-03-01");
    EXPECT_EQ(json["days"][1]["required_agent_hours"], (agents[2] + agents[3]) / 4.0);
    EXPECT_EQ(json["days"][0]["peak"]["agents"], agents[1]);
    EXPECT_EQ(json["rows"][0]["wait"], plan.rows[0].measures->wait * 100.0);
    EXPECT_FALSE(
        nlohmann::json::parse(report::PlanText(Plan("calls,talk\n1,200\n"), report::PlanFormat::Json, "in.csv"))
            .contains("days"));

    report::ChartSeries series(plan.options.intervalMinutes);
    for (const IntervalPlan& p : plan.rows) series.Add(p);
    const input::ChartData data = series.Data(plan.options);
    ASSERT_EQ(data.days.size(), 2u);
    EXPECT_EQ(data.days[0].day + 1, data.days[1].day);
    ASSERT_EQ(data.days[0].agents.size(), 96u);
    EXPECT_EQ(data.days[0].agents[32], agents[2]);
    EXPECT_EQ(data.days[0].agents[33], -1);  // outside the range
    EXPECT_EQ(data.days[0].agents[34], -1);  // no interval
    EXPECT_EQ(data.days[0].agents[35], agents[3]);
    // As the chart program reads it back.
    const auto back = input::ReadChartData(input::ChartDataText(data));
    ASSERT_TRUE(back);
    EXPECT_EQ(back.Value().days[1].agents, data.days[1].agents);
    EXPECT_EQ(back.Value().points.size(), data.points.size());
    EXPECT_EQ(back.Value().points[3].outsideRange, true);
    EXPECT_FALSE(back.Value().Surplus());

    // With a shift plan, the map of on duty less scheduled beside it.
    report::ChartSeries staffed(plan.options.intervalMinutes);
    for (std::size_t i = 0; i < plan.rows.size(); ++i) {
        IntervalPlan p = plan.rows[i];
        p.onDuty = p.scheduled + static_cast<long>(i) - 1;  // one short, as scheduled, one over...
        staffed.Add(p);
    }
    const input::ChartData withShifts = staffed.Data(plan.options);
    ASSERT_TRUE(withShifts.Surplus());
    ASSERT_EQ(withShifts.days[1].surplus.size(), 96u);
    EXPECT_EQ(withShifts.days[1].surplus[32], -1);  // 2027-03-02 08:00, the first row
    EXPECT_EQ(withShifts.days[1].surplus[33], 0);
    EXPECT_EQ(withShifts.days[0].surplus[32], 1);
    EXPECT_EQ(withShifts.days[0].surplus[35], 3);
    EXPECT_EQ(withShifts.points[0].onDuty, plan.rows[0].scheduled - 1);
    const auto staffedBack = input::ReadChartData(input::ChartDataText(withShifts));
    ASSERT_TRUE(staffedBack);
    EXPECT_EQ(staffedBack.Value().days[0].surplus, withShifts.days[0].surplus);
    // What a plan never writes is refused, not converted: a field of the
    // wrong type, a fraction or a number too large for its field, a single
    // number where a list belongs.
    const std::string good = input::ChartDataText(data);
    for (const auto& [from, to] : std::initializer_list<std::pair<std::string, std::string>>{
             {"\"subtitle\":\"", "\"subtitle\":1,\"x\":\""},
             {"\"interval_minutes\":15", "\"interval_minutes\":5E30"},
             {"\"interval_minutes\":15", "\"interval_minutes\":30.5"},
             {"\"interval_minutes\":15", "\"interval_minutes\":-30"},
             {"\"intervals_per_point\":1", "\"intervals_per_point\":-1"},
             {"\"days\":[", "\"days\":7,\"x\":["},
             {"\"days\":[", "\"days\":[[0,[-9223372036854775808]]],\"x\":["},
             // on duty less scheduled for one day and not for the others
             {"\"days\":[", "\"days\":[[0,[1],[0]],"}}) {
        std::string bad = good;
        const auto at = bad.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        bad.replace(at, from.size(), to);
        EXPECT_FALSE(input::ReadChartData(bad)) << bad.substr(0, 120);
    }
}

}  // namespace
}  // namespace corvane::plan
