#include "model/plan_outcome.h"

#include "plan/achieved.h"

#include <set>

#include "shifts/shift_file.h"
#include "shifts/shift_grid.h"
#include "shifts/shift_plan.h"

namespace corvane::model {

Result<PlanOutcome, input::PlanFault> MakePlan(const input::Forecast& forecast,
                                              const PlanSettings& settings,
                                              const shifts::SolveWatch& watch) {
    plan::PlanOptions options = settings.options;
    // Times in the labels settle the interval length; the entry only
    // stands in for them.
    if (LabelsCarryTimes(forecast)) options.intervalGiven = false;
    auto planned = plan::PlanDay(forecast, options);
    if (!planned) return Fail(planned.Error());
    PlanOutcome out{std::move(planned.Value()), std::nullopt};
    if (!settings.shifts) return out;

    const int interval = out.plan.options.intervalMinutes;
    if (const auto timed = shifts::CheckShiftTimes(*settings.shifts, interval); !timed)
        return Fail(timed.Error());
    std::vector<shifts::Demand> demand;
    demand.reserve(out.plan.rows.size());
    for (const plan::IntervalPlan& p : out.plan.rows) demand.push_back(shifts::DemandOf(p));
    auto solved = shifts::PlanShifts(demand, interval, forecast.name, *settings.shifts,
                                     {settings.shiftTimeLimit,
                                      settings.allowShort &&
                                          settings.shiftGoal == shifts::ShiftGoal::Interval,
                                      watch, settings.shiftGoal, settings.intervalFloor,
                                      out.plan.options});
    if (!solved) return Fail(solved.Error());
    out.shifts = std::move(solved.Value().summary);
    for (std::size_t i = 0; i < out.plan.rows.size(); ++i) {
        out.plan.rows[i].onDuty = solved.Value().onDuty[i];
        plan::Achieve(out.plan.rows[i], out.plan.options, out.shifts->achieved);
    }
    return out;
}

bool LabelsCarryTimes(const input::Forecast& forecast) {
    for (const input::ForecastRow& row : forecast.rows)
        if (row.minute) return true;
    return false;
}

std::string OutcomeText(const PlanOutcome& outcome, report::PlanFormat format,
                        const std::string& name) {
    return report::PlanText(outcome.plan, format, name,
                          outcome.shifts ? &*outcome.shifts : nullptr);
}

input::ChartData OutcomeChart(const PlanOutcome& outcome, const std::vector<std::size_t>& rows) {
    report::ChartSeries series(outcome.plan.options.intervalMinutes);
    for (const std::size_t i : rows) series.Add(outcome.plan.rows[i]);
    return series.Data(outcome.plan.options);
}

std::vector<std::int32_t> PlanDays(const PlanOutcome& outcome) {
    std::set<std::int32_t> days;
    for (const plan::IntervalPlan& p : outcome.plan.rows)
        if (p.input.day) days.insert(*p.input.day);
    return {days.begin(), days.end()};
}

std::vector<std::size_t> RowsOfDay(const PlanOutcome& outcome, std::int32_t day) {
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < outcome.plan.rows.size(); ++i)
        if (outcome.plan.rows[i].input.day == day) rows.push_back(i);
    return rows;
}

input::ChartData OutcomeChart(const PlanOutcome& outcome) {
    report::ChartSeries series(outcome.plan.options.intervalMinutes);
    for (const plan::IntervalPlan& p : outcome.plan.rows) series.Add(p);
    return series.Data(outcome.plan.options);
}

}  // namespace corvane::model
