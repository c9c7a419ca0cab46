// The forecast reader and the plan writers on any bytes: the reader either
// gives rows or refuses with a message naming the file, read whole or a few
// bytes at a time alike; every row it gives is planned and written in every
// format without throwing, and the JSON plan is valid JSON; streamed, as
// corvane-plan plans a file, the plan is the same.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "report/chart_series.h"
#include "plan/day_plan.h"
#include "input/forecast_csv.h"
#include "input/text_check.h"
#include "report/plan_output.h"
#include "plan/streamed_plan.h"

using namespace corvane::input;
using namespace corvane::plan;
using namespace corvane::report;

namespace {

void Require(bool ok) {
    if (!ok) std::abort();
}

// The rows, or the message that refused them.
std::string Outcome(ByteSource& source, const ForecastDefaults& defaults,
                    std::vector<ForecastRow>& rows) {
    ForecastReader reader(source, "fuzz.csv", defaults);
    ForecastRow row;
    for (;;) {
        const auto more = reader.Next(row);
        if (!more) {
            // Every refusal names the file and a line.
            const std::string& message = more.Error().message;
            Require(message.rfind("fuzz.csv:", 0) == 0 && message.size() > 9 &&
                    message[9] >= '1' && message[9] <= '9');
            return message;
        }
        if (!more.Value()) return {};
        rows.push_back(row);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::uint8_t control = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const DateOrder orders[] = {DateOrder::Unknown, DateOrder::DayFirst, DateOrder::MonthFirst,
                                DateOrder::Unknown};
    const ForecastDefaults defaults{control & 1 ? std::optional<long>(180) : std::nullopt, 0,
                                    orders[(control >> 1) & 3]};

    TextSource whole(text);
    std::vector<ForecastRow> rows;
    const std::string refused = Outcome(whole, defaults, rows);
    TextSource trickle(text, 1 + (control >> 4));
    std::vector<ForecastRow> trickled;
    Require(Outcome(trickle, defaults, trickled) == refused);
    // Refused, a reader may have handed out the rows before the fault.
    if (!refused.empty()) return 0;
    Require(trickled.size() == rows.size());
    // Labels reach terminals and charts: none that is read holds a control.
    for (const ForecastRow& row : rows) Require(!FirstControl(row.label));
    for (std::size_t i = 0; i < rows.size(); ++i)
        Require(trickled[i].label == rows[i].label && trickled[i].line == rows[i].line &&
                trickled[i].calls == rows[i].calls && trickled[i].talk == rows[i].talk &&
                trickled[i].day == rows[i].day && trickled[i].minute == rows[i].minute);

    PlanOptions options;
    if (control & 2) options.patience = 1 + (control >> 2) * 60;
    if (control & 4) {  // an interval length given, which the labels may contradict
        options.intervalMinutes = 15;
        options.intervalGiven = true;
    }
    Forecast forecast{"fuzz.csv", rows};
    const auto planned = PlanDay(forecast, options);
    if (!planned) {
        // Totals too large to add up, or labels that step otherwise.
        const PlanFault& fault = planned.Error();
        Require(fault.kind != PlanFault::Kind::IntervalContradicted ||
                (options.intervalGiven && fault.message.rfind("the labels are ", 0) == 0));
        return 0;
    }
    const DayPlan& plan = planned.Value();
    Require(plan.options.intervalMinutes > 0 && plan.options.intervalMinutes <= 1440 &&
            (!options.intervalGiven || plan.options.intervalMinutes == 15));
    // The chart of the plan, as the chart program reads it back.
    ChartSeries series(plan.options.intervalMinutes);
    for (const IntervalPlan& p : plan.rows) series.Add(p);
    const auto chart = ReadChartData(ChartDataText(series.Data(plan.options)));
    Require(chart && chart.Value().points.size() == series.Points().size());
    Require(plan.totals.RequiredHours() >= 0 && plan.totals.ScheduledHours() >= 0);
    for (const PlanFormat format : {PlanFormat::Text, PlanFormat::Csv, PlanFormat::Json}) {
        const std::string out = PlanText(plan, format, "fuzz.csv");
        Require(!out.empty());
        if (format == PlanFormat::Json)
            Require(!nlohmann::json::parse(out, nullptr, false).is_discarded());
    }
    // Streamed as corvane-plan streams it, the rows kept in their compact
    // form between the passes: the very same text plan.
    StreamedPlan streamed(options);
    TextSource first(text), second(text), third(text);
    ForecastReader firstReader(first, "fuzz.csv", defaults);
    ForecastReader secondReader(second, "fuzz.csv", defaults);
    ForecastReader thirdReader(third, "fuzz.csv", defaults);
    Require(static_cast<bool>(streamed.Read(firstReader)));
    const auto writer = MakePlanWriter(PlanFormat::Text, streamed.Options(), "fuzz.csv");
    Require(static_cast<bool>(
        streamed.Plan(&secondReader, [&](const IntervalPlan& p) { writer->Measure(p); })));
    std::string out = writer->Head();
    Require(static_cast<bool>(
        streamed.Write(&thirdReader, [&](const IntervalPlan& p) { out += writer->Row(p); })));
    out += writer->Tail(streamed.Totals(), nullptr);
    Require(out == PlanText(plan, PlanFormat::Text, "fuzz.csv"));
    return 0;
}
