#pragma once

#include <memory>
#include <string>
#include <vector>

#include "plan/day_plan.h"
#include "plan/shift_summary.h"

namespace corvane::report {

enum class PlanFormat { Text, Csv, Json };

// The targets in words, for headings and the chart's title:
// "80 % of calls answered within 20 s; ASA at most 15 s".
std::string TargetText(const plan::PlanOptions& options);

// Writes a plan a piece at a time, so a forecast of any length is written
// in bounded memory: every row is measured first (a text table sizes its
// columns), then the head, each row and the tail are asked for in turn.
class PlanWriter {
public:
    virtual ~PlanWriter() = default;
    virtual void Measure(const plan::IntervalPlan&) {}
    virtual std::string Head() const = 0;
    virtual std::string Row(const plan::IntervalPlan& p) = 0;
    // With a shift plan, its totals and (in text and JSON) its groups.
    virtual std::string Tail(const plan::PlanTotals& totals, const plan::ShiftSummary* shifts) const = 0;
};

// text: a fixed-column table in the style of the window's tables, then the
//       totals;
// csv:  one header line, then a line per interval; "." decimals, shares in
//       percent; a label a spreadsheet would run as a formula starts with '
// json: the options used, the rows at full precision and the totals; every
//       text valid UTF-8.
// With `onDuty`, each row also says the agents a shift plan puts on duty.
std::unique_ptr<PlanWriter> MakePlanWriter(PlanFormat format, const plan::PlanOptions& options,
                                           const std::string& fileName, bool onDuty = false);

// The totals as the text plan gives them: agent-hours and the peak, and
// with a shift plan its paid hours, efficiency and how near the best.
std::string TotalsText(const plan::PlanTotals& totals, const plan::ShiftSummary* shifts);

// With a shift plan, its part of those totals.
std::string ShiftTotalsText(const plan::PlanTotals& totals, const plan::ShiftSummary& shifts);

// A small table of the text plan: its heads, which align right, and its
// rows of cells.
struct TextCells {
    std::vector<std::string> heads;
    std::vector<bool> right;
    std::vector<std::vector<std::string>> rows;
};
// A row per day (labels with dates): day, hours required and scheduled,
// the peak interval and its agents; with `shifts`, the service level its
// agents on duty achieve that day (call-weighted).
TextCells DayCells(const plan::PlanTotals& totals, const plan::ShiftSummary* shifts = nullptr);
// A row per group of the shift plan: date, shift, start, lunch, agents.
// `withEnd`: with each group's end (the window's table; the text plan keeps
// its columns). With `day`, only the groups that start that day.
TextCells ShiftCells(const plan::ShiftSummary& shifts, bool withEnd = false,
                     std::optional<std::int32_t> day = std::nullopt);

// One day of a shift plan: the paid hours of the shifts that start that
// day, and the service level (ASA, abandonment) its calls achieve.
std::string ShiftDayText(const plan::ShiftSummary& shifts, std::int32_t day);

// A shift plan as CSV: date,shift,start,lunch,agents, a line per group.
std::string ShiftPlanCsv(const plan::ShiftSummary& shifts);

// A plan in memory as one text; with its shift plan, the rows say their
// agents on duty.
std::string PlanText(const plan::DayPlan& plan, PlanFormat format, const std::string& fileName,
                     const plan::ShiftSummary* shifts = nullptr);

}  // namespace corvane::report
