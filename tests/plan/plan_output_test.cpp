// The writers and the totals of a plan, apart from the program around them.
#include <gtest/gtest.h>

#include <limits>

#include "plan/chart_series.h"
#include "plan/day_plan.h"
#include "plan/forecast_csv.h"
#include "plan/plan_output.h"
#include "plan/streamed_plan.h"
#include "plan/text_check.h"
#include "support/vectors.h"

namespace corvane::plan {
namespace {

DayPlan Plan(const std::string& csv, const PlanOptions& options = {}) {
    const auto forecast = ReadForecast(csv, "in.csv", {});
    EXPECT_TRUE(forecast);
    auto plan = PlanDay(forecast ? forecast.Value() : Forecast{}, options);
    EXPECT_TRUE(plan);
    return plan ? std::move(plan.Value()) : DayPlan{options, {}, PlanTotals()};
}

TEST(PlanOutput, LabelsASpreadsheetWouldRunAreTextInCsvOnly) {
    // Each label as the file has it (CSV-quoted where needed) and as the CSV plan writes it.
    for (const auto& c : testing::Vectors("csv-labels")) {
        SCOPED_TRACE(c.dump());
        const DayPlan plan =
            Plan("interval,calls,talk\n" + c["label"].get<std::string>() + ",10,180\n");
        const std::string csv = PlanText(plan, PlanFormat::Csv, "in.csv");
        const std::string row = csv.substr(csv.find("\r\n") + 2);
        EXPECT_EQ(row.substr(0, row.rfind(",10,180,")), c["csv"]);
        // JSON and text keep the label as read.
        const auto json = nlohmann::json::parse(PlanText(plan, PlanFormat::Json, "in.csv"));
        EXPECT_EQ(json["rows"][0]["interval"], plan.rows[0].input.label);
    }
}

TEST(PlanOutput, JsonIsValidUtf8WhateverTheFileName) {
    const DayPlan plan = Plan("interval,calls,talk\n08:00,10,180\n");
    const std::string json = PlanText(plan, PlanFormat::Json, "plan\xff\xfe.csv");
    EXPECT_EQ(ScanUtf8(json).valid, json.size());
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
    // plans the rows past the kept ones afresh.
    std::string csv = "interval,calls,talk,acw\n";
    const std::size_t rows = StreamedPlan::kKeptRows + 500;
    for (std::size_t i = 0; i < rows; ++i)
        csv += (i % 7 == 0 ? "=x" : "t") + std::to_string(i) + "," + std::to_string(i % 997) + "," +
               std::to_string(120 + i % 100) + ",15\n";
    PlanOptions options;
    options.shrinkage = Decimal{25, 0};
    const DayPlan whole = Plan(csv, options);
    for (const PlanFormat format : {PlanFormat::Text, PlanFormat::Csv, PlanFormat::Json}) {
        const auto writer = MakePlanWriter(format, options, "in.csv");
        StreamedPlan streamed(options);
        TextSource first(csv);
        ForecastReader firstReader(first, "in.csv", {});
        ASSERT_TRUE(
            streamed.FirstPass(firstReader, [&](const IntervalPlan& p) { writer->Measure(p); }));
        ASSERT_FALSE(streamed.KeptWhole());
        std::string out = writer->Head();
        TextSource second(csv);
        ForecastReader secondReader(second, "in.csv", {});
        ASSERT_TRUE(streamed.SecondPass(secondReader,
                                        [&](const IntervalPlan& p) { out += writer->Row(p); }));
        out += writer->Tail(streamed.Totals());
        EXPECT_EQ(out, PlanText(whole, format, "in.csv")) << static_cast<int>(format);
    }
}

TEST(PlanOutput, ChartSeriesOfAnyLengthStaysBounded) {
    ChartSeries series;
    const std::size_t n = ChartSeries::kMaxPoints * 3 + 5;
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

}  // namespace
}  // namespace corvane::plan
