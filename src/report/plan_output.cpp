#include "report/plan_output.h"

#include <csv.h>

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

#include "calc/number_format.h"
#include "report/fixed_table.h"
#include "input/label_time.h"
#include "report/plan_columns.h"
#include "input/text_check.h"

namespace corvane::report {

namespace {

using nlohmann::ordered_json;

const char* kNone = "-";

// Every figure of a plan is finite; a value that is not is shown as none.
std::string Cell(double value, std::string_view pattern) {
    return FormatNumber(value, pattern).ValueOr(kNone);
}

// A figure of the text table: grouped, with up to two decimals.
std::string FigureCell(double value) {
    if (value == std::floor(value)) return Cell(value, "#,##0");
    std::string text = Cell(value, "#,##0.00");
    if (text.back() == '0') text.pop_back();
    return text;
}

// A figure in JSON: whole figures as integers, others rounded to two
// decimals as the other outputs write them.
ordered_json FigureJson(double value) {
    if (value == std::floor(value) && value < 9007199254740992.0)
        return static_cast<std::int64_t>(value);
    return std::round(value * 100.0) / 100.0;
}

// A label on one line of the text table: line breaks and other controls
// from a quoted field become blanks.
std::string OneLine(std::string label) {
    for (char& c : label)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return label;
}

bool UsesErlangA(const plan::PlanOptions& o) { return o.patience.has_value(); }

// RFC 4180: a field with a comma, quote or line break goes in quotes. A
// field a spreadsheet would take for a formula is given a leading ', which
// makes it plain text there. A plain field is appended as it stands.
void AppendCsvField(std::string& out, std::string_view value) {
    const bool formula =
        !value.empty() && std::string_view("=+-@\t\r").find(value[0]) != std::string_view::npos;
    if (!formula && value.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += value;
        return;
    }
    const std::string text = (formula ? "'" : "") + std::string(value);
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        out += text;
        return;
    }
    const std::size_t at = out.size();
    out.resize(at + text.size() * 2 + 2);
    out.resize(at + csv_write(out.data() + at, text.size() * 2 + 2, text.data(), text.size()));
}

// JSON with two-space indents, every string valid UTF-8 (bytes that are
// not become U+FFFD), indented `by` more blanks after its first line.
std::string Dump(const ordered_json& value, std::size_t by) {
    std::string text = value.dump(2, ' ', false, ordered_json::error_handler_t::replace);
    std::string out;
    for (const char c : text) {
        out += c;
        if (c == '\n') out.append(by, ' ');
    }
    return out;
}

ordered_json PeakJson(const std::optional<plan::PeakInterval>& peak) {
    if (!peak) return nullptr;
    return {{"interval", peak->label}, {"agents", peak->agents}, {"scheduled", peak->scheduled}};
}

}  // namespace

TextCells DayCells(const plan::PlanTotals& t, const plan::ShiftSummary* shifts) {
    TextCells cells{{"Day", "Required h", "Scheduled h", "Peak interval", "Agents"},
                    {false, true, true, false, true},
                    {}};
    if (shifts) {
        cells.heads.push_back("Achieved SL%");
        cells.right.push_back(true);
    }
    for (const plan::DayTotals& d : t.Days()) {
        const auto& peak = d.sums.peak;
        cells.rows.push_back({input::DateText(d.day) + " " + input::WeekdayText(d.day),
                              Cell(t.Hours(d.sums.required), "#,##0.00"),
                              Cell(t.Hours(d.sums.scheduled), "#,##0.00"),
                              peak ? OneLine(peak->label) : std::string(kNone),
                              peak ? Cell(static_cast<double>(peak->agents), "#,##0") : kNone});
        if (!shifts) continue;
        const plan::AchievedSums* achieved = shifts->achieved.Day(d.day);
        const auto level = achieved ? achieved->ServiceLevel() : std::nullopt;
        cells.rows.back().push_back(level ? Cell(*level * 100.0, "##0.00") : kNone);
    }
    return cells;
}

TextCells ShiftCells(const plan::ShiftSummary& s, bool withEnd, std::optional<std::int32_t> day) {
    const std::string date = day ? input::DateText(*day) : std::string();
    TextCells cells{{"Date", "Shift", "Start", "Lunch", "Agents"},
                    {false, false, false, false, true},
                    {}};
    if (withEnd) {
        cells.heads.insert(cells.heads.begin() + 4, "End");
        cells.right.insert(cells.right.begin() + 4, false);
    }
    for (const plan::ShiftRow& r : s.rows) {
        if (day && r.date != date) continue;
        std::vector<std::string> row{r.date.empty() ? std::string(kNone) : r.date, OneLine(r.shift),
                                     input::TimeText(r.start),
                                     r.lunch ? input::TimeText(*r.lunch) : std::string(kNone),
                                     Cell(static_cast<double>(r.agents), "#,##0")};
        // An end past midnight is the next day's.
        if (withEnd)
            row.insert(row.begin() + 4, input::TimeText(r.end % (24 * 60)) +
                                            (r.end >= 24 * 60 ? " +1" : ""));
        cells.rows.push_back(std::move(row));
    }
    return cells;
}

namespace {

// A small table of the text plan, in fixed columns.
std::string CellTable(const TextCells& cells) {
    FixedTable table;
    for (std::size_t c = 0; c < cells.heads.size(); ++c)
        table.AddColumn(cells.heads[c],
                        cells.right[c] ? FixedTable::Align::Right : FixedTable::Align::Left);
    return table.Text(cells.rows);
}

// Why a solve that did not prove its plan stopped.
std::string StoppedBy(const plan::ShiftSummary& s) {
    return s.memoryFull ? "stopped by the memory limit" : "stopped by the time limit";
}

// The solver's result in words: "optimal" or how far from it, and its time.
std::string SolverText(const plan::ShiftSummary& s) {
    std::string out = s.optimal ? "optimal" : "within " + Cell(s.gapPercent, "##0.00") +
                                                 " % of the best possible (" + StoppedBy(s) + ")";
    return out + ", solved in " + Cell(s.seconds, "#,##0.00") + " s";
}

// Scheduled hours per paid hour, in per cent; none without paid hours.
std::optional<double> Efficiency(const plan::PlanTotals& t, const plan::ShiftSummary& s) {
    if (!(s.paidHours > 0)) return std::nullopt;
    return t.ScheduledHours() / s.paidHours * 100.0;
}


// A shift plan's achieved measures, call-weighted, in per cent and seconds.
void AchievedJson(const plan::AchievedSums& a, ordered_json& into) {
    const auto orNull = [](const std::optional<double>& v, double scale) {
        return v ? ordered_json(*v * scale) : ordered_json(nullptr);
    };
    into["achieved_service_level"] = orNull(a.ServiceLevel(), 100.0);
    into["achieved_asa"] = orNull(a.Asa(), 1.0);
    if (a.withAbandon) into["achieved_abandon"] = orNull(a.Abandon(), 100.0);
}

void ShiftTotalsJson(const plan::PlanTotals& t, const plan::ShiftSummary& s, ordered_json& totals) {
    totals["paid_agent_hours"] = s.paidHours;
    totals["cost"] = s.cost;
    const auto efficiency = Efficiency(t, s);
    totals["efficiency"] = efficiency ? ordered_json(*efficiency) : ordered_json();
    totals["shift_goal"] = s.goal;
    if (s.intervalFloor) totals["interval_floor"] = *s.intervalFloor;
    totals["shift_plan"] = s.optimal ? "optimal" : StoppedBy(s);
    totals["gap"] = s.gapPercent;
    totals["solve_seconds"] = s.seconds;
    totals["short_intervals"] = s.shortIntervals;
    totals["short_agent_hours"] = s.shortAgentHours;
    AchievedJson(s.achieved.all, totals);
}

// The shift plan's groups after a text plan.
class TextWriter : public PlanWriter {
public:
    TextWriter(const plan::PlanOptions& o, std::string fileName, bool onDuty)
        : options_(o), fileName_(std::move(fileName)), onDuty_(onDuty) {
        using A = FixedTable::Align;
        table_.AddColumn("Interval", A::Left);
        for (const char* head :
             {"Calls", "Talk", "ACW", "Erlangs", "Agents", "P(W)%", "SL%", "ASA", "OCC%"})
            table_.AddColumn(head, A::Right);
        if (UsesErlangA(o)) table_.AddColumn("ABN%", A::Right);
        table_.AddColumn("Scheduled", A::Right);
        if (onDuty) {
            table_.AddColumn("On duty", A::Right);
            table_.AddColumn("Ach SL%", A::Right);
            table_.AddColumn("Ach ASA", A::Right);
            if (UsesErlangA(o)) table_.AddColumn("Ach ABN%", A::Right);
        }
        table_.AddColumn("Status", A::Left);
    }

    void Measure(const plan::IntervalPlan& p) override { table_.Measure(Cells(p)); }

    std::string Head() const override {
        const plan::PlanOptions& o = options_;
        std::string out = "Day plan of " + fileName_ + "\n";
        out += "Target: " + TargetText(o) + "\n";
        out += "Intervals of " + std::to_string(o.intervalMinutes) + " minutes; shrinkage " +
               plan::DecimalText(o.shrinkage) + " %; ";
        out += UsesErlangA(o) ? "Erlang A, callers hang up after " + std::to_string(*o.patience) +
                                " s on average"
                          : std::string("Erlang C, callers wait as long as it takes");
        return out + "\n\n" + table_.Head();
    }

    std::string Row(const plan::IntervalPlan& p) override { return table_.Line(Cells(p)); }

    std::string Tail(const plan::PlanTotals& t, const plan::ShiftSummary* shifts) const override {
        std::string out = "\n" + TotalsText(t, shifts);
        if (!t.Days().empty()) out += "\n" + CellTable(DayCells(t, shifts));
        if (shifts) out += "\n" + CellTable(ShiftCells(*shifts));
        return out;
    }

private:
    std::vector<std::string> Cells(const plan::IntervalPlan& p) const {
        const bool withAbandon = UsesErlangA(options_);
        std::vector<std::string> cells{
            OneLine(p.input.label),  FigureCell(p.input.calls),   FigureCell(p.input.talk),
            FigureCell(p.input.acw), Cell(p.erlangs, "#,##0.00"),
        };
        const bool computed = p.status != plan::IntervalStatus::OutsideRange;
        cells.push_back(computed ? Cell(static_cast<double>(p.agents), "#,##0") : kNone);
        if (p.measures) {
            // The window's own patterns, so a half-hour row reads as its table row.
            cells.push_back(Cell(p.measures->wait * 100.0, "##0.0"));
            cells.push_back(Cell(p.measures->serviceLevel * 100.0, "##0"));
            cells.push_back(Cell(p.measures->asa, "#,##0.0"));
            cells.push_back(Cell(p.measures->occupancy * 100.0, "##0"));
            if (withAbandon) cells.push_back(Cell(*p.measures->abandon * 100.0, "##0.0"));
        } else {
            cells.insert(cells.end(), withAbandon ? 5 : 4, kNone);
        }
        cells.push_back(computed ? Cell(static_cast<double>(p.scheduled), "#,##0") : kNone);
        if (onDuty_) {
            cells.push_back(p.onDuty ? Cell(static_cast<double>(*p.onDuty), "#,##0") : kNone);
            const auto& a = p.achieved;
            cells.push_back(a ? Cell(a->serviceLevel * 100.0, "##0.0") : kNone);
            cells.push_back(a && std::isfinite(a->asa) ? Cell(a->asa, "#,##0.0") : kNone);
            if (withAbandon) cells.push_back(a && a->abandon ? Cell(*a->abandon * 100.0, "##0.0") : kNone);
        }
        cells.push_back(plan::StatusText(p.status));
        return cells;
    }

    plan::PlanOptions options_;
    std::string fileName_;
    bool onDuty_;
    FixedTable table_;
};

class CsvWriter : public PlanWriter {
public:
    CsvWriter(const plan::PlanOptions& o, bool onDuty) : columns_(PlanColumns(o, onDuty)) {}

    std::string Head() const override {
        std::string out;
        for (const PlanColumn c : columns_) out += std::string(ColumnName(c)) + ',';
        out.back() = '\r';
        return out + '\n';
    }

    // Written straight into one string: a year of rows costs no more
    // allocations than rows.
    std::string Row(const plan::IntervalPlan& p) override {
        std::string out;
        out.reserve(128);
        for (const PlanColumn c : columns_) {
            if (c == PlanColumn::Interval)
                AppendCsvField(out, p.input.label);
            else if (c == PlanColumn::Status)
                AppendCsvField(out, plan::StatusText(p.status));
            else
                AppendCell(out, p, c);
            out += ',';
        }
        out.back() = '\r';
        out += '\n';
        return out;
    }

    std::string Tail(const plan::PlanTotals&, const plan::ShiftSummary*) const override { return {}; }

private:
    std::vector<PlanColumn> columns_;
};

class JsonWriter : public PlanWriter {
public:
    JsonWriter(const plan::PlanOptions& o, std::string fileName, bool onDuty)
        : options_(o), fileName_(std::move(fileName)), onDuty_(onDuty) {}

    std::string Head() const override {
        const plan::PlanOptions& o = options_;
        ordered_json options;
        options["service_level"] = o.slPercent.ToDouble();
        options["answer_seconds"] = o.answerSeconds;
        options["asa"] = o.asaLimit ? ordered_json(o.asaLimit->ToDouble()) : ordered_json();
        options["max_occupancy"] =
            o.maxOccupancy ? ordered_json(o.maxOccupancy->ToDouble()) : ordered_json();
        options["shrinkage"] = o.shrinkage.ToDouble();
        options["interval_minutes"] = o.intervalMinutes;
        options["talk"] = o.talk ? ordered_json(*o.talk) : ordered_json();
        options["acw"] = o.acw;
        if (o.patience) {
            options["patience"] = *o.patience;
            options["max_abandon"] =
                o.maxAbandon ? ordered_json(o.maxAbandon->ToDouble()) : ordered_json();
        }
        return "{\n  \"file\": " + Dump(fileName_, 2) + ",\n  \"model\": \"" +
               (o.patience ? "erlang-a" : "erlang-c") + "\",\n  \"options\": " + Dump(options, 2) +
               ",\n  \"rows\": [";
    }

    std::string Row(const plan::IntervalPlan& p) override {
        ordered_json row;
        const bool computed = p.status != plan::IntervalStatus::OutsideRange;
        const auto orNull = [](bool has, auto value) {
            return has ? ordered_json(value) : ordered_json(nullptr);
        };
        const bool m = p.measures.has_value();
        row["interval"] = p.input.label;
        row["line"] = p.input.line;
        row["calls"] = FigureJson(p.input.calls);
        row["talk"] = FigureJson(p.input.talk);
        row["acw"] = FigureJson(p.input.acw);
        row["erlangs"] = p.erlangs;
        row["agents"] = orNull(computed, p.agents);
        row["wait"] = orNull(m, m ? p.measures->wait * 100.0 : 0.0);
        row["service_level"] = orNull(m, m ? p.measures->serviceLevel * 100.0 : 0.0);
        row["asa"] = orNull(m, m ? p.measures->asa : 0.0);
        row["occupancy"] = orNull(m, m ? p.measures->occupancy * 100.0 : 0.0);
        if (options_.patience) row["abandon"] = orNull(m, m ? *p.measures->abandon * 100.0 : 0.0);
        row["scheduled"] = orNull(computed, p.scheduled);
        if (onDuty_) {
            row["on_duty"] = orNull(p.onDuty.has_value(), p.onDuty.value_or(0));
            const auto& a = p.achieved;
            row["achieved_service_level"] = orNull(a.has_value(), a ? a->serviceLevel * 100.0 : 0.0);
            row["achieved_asa"] = orNull(a && std::isfinite(a->asa), a ? a->asa : 0.0);
            if (options_.patience)
                row["achieved_abandon"] = orNull(a && a->abandon, a && a->abandon ? *a->abandon * 100.0 : 0.0);
        }
        row["status"] = plan::StatusText(p.status);
        const char* before = first_ ? "\n    " : ",\n    ";
        first_ = false;
        return before + Dump(row, 4);
    }

    std::string Tail(const plan::PlanTotals& t, const plan::ShiftSummary* shifts) const override {
        ordered_json totals;
        totals["required_agent_hours"] = t.RequiredHours();
        totals["scheduled_agent_hours"] = t.ScheduledHours();
        totals["peak"] = PeakJson(t.Peak());
        totals["outside_range"] = t.OutsideRange();
        if (shifts) ShiftTotalsJson(t, *shifts, totals);
        std::string out =
            std::string(first_ ? "]" : "\n  ]") + ",\n  \"totals\": " + Dump(totals, 2);
        if (!t.Days().empty()) {
            ordered_json days = ordered_json::array();
            for (const plan::DayTotals& d : t.Days()) {
                ordered_json day;
                day["date"] = input::DateText(d.day);
                day["required_agent_hours"] = t.Hours(d.sums.required);
                day["scheduled_agent_hours"] = t.Hours(d.sums.scheduled);
                day["peak"] = PeakJson(d.sums.peak);
                if (shifts) {
                    const plan::AchievedSums* achieved = shifts->achieved.Day(d.day);
                    AchievedJson(achieved ? *achieved : plan::AchievedSums{}, day);
                }
                days.push_back(day);
            }
            out += ",\n  \"days\": " + Dump(days, 2);
        }
        if (shifts) {
            ordered_json rows = ordered_json::array();
            for (const plan::ShiftRow& r : shifts->rows)
                rows.push_back({{"date", r.date.empty() ? ordered_json() : ordered_json(r.date)},
                                {"shift", r.shift},
                                {"start", input::TimeText(r.start)},
                                {"lunch", r.lunch ? ordered_json(input::TimeText(*r.lunch)) : ordered_json()},
                                {"agents", r.agents}});
            out += ",\n  \"shifts\": " + Dump(rows, 2);
        }
        return out + "\n}\n";
    }

private:
    plan::PlanOptions options_;
    std::string fileName_;
    bool onDuty_;
    bool first_ = true;
};

// What agents on duty achieve for some calls (`whose`): service level,
// ASA and, under Erlang A, abandonment; nothing without calls.
std::string AchievedText(const plan::AchievedSums& a, const char* whose) {
    const auto level = a.ServiceLevel();
    if (!level) return {};
    std::string out = "Achieved SL          : " + Cell(*level * 100.0, "##0.00") + " % (" + whose + ")\n";
    const auto asa = a.Asa();
    out += "Achieved ASA         : " + (asa ? Cell(*asa, "#,##0.0") + " s" : kNone) + "\n";
    if (const auto abandon = a.Abandon())
        out += "Achieved abandoned   : " + Cell(*abandon * 100.0, "##0.00") + " %\n";
    return out;
}

}  // namespace

std::string TargetText(const plan::PlanOptions& o) {
    std::string text = plan::DecimalText(o.slPercent) + " % of calls answered within " +
                       std::to_string(o.answerSeconds) + " s";
    if (o.asaLimit) text += "; ASA at most " + plan::DecimalText(*o.asaLimit) + " s";
    if (o.maxOccupancy) text += "; occupancy at most " + plan::DecimalText(*o.maxOccupancy) + " %";
    if (o.maxAbandon) text += "; at most " + plan::DecimalText(*o.maxAbandon) + " % hang up";
    return text;
}

std::string ShiftTotalsText(const plan::PlanTotals& t, const plan::ShiftSummary& s) {
    std::string out = "Paid agent-hours     : " + Cell(s.paidHours, "#,##0.00") + "\n";
    const auto efficiency = Efficiency(t, s);
    out += "Efficiency           : " + (efficiency ? Cell(*efficiency, "##0.0") + " %" : kNone) +
           " (scheduled hours / paid hours)\n";
    if (s.goal != "interval")
        out += "Shift goal           : the service level over each " + s.goal +
               (s.intervalFloor ? ", every interval at least " + FigureCell(*s.intervalFloor) + " %"
                                : std::string()) +
               "\n";
    out += "Shift plan           : " + SolverText(s) + "\n";
    out += AchievedText(s.achieved.all, "of all calls, by the agents on duty less shrinkage");
    if (s.shortIntervals > 0)
        out += "Left short           : " + std::to_string(s.shortIntervals) + " interval" +
               (s.shortIntervals == 1 ? "" : "s") + ", " + Cell(s.shortAgentHours, "#,##0.00") +
               " agent-hours\n";
    return out;
}

std::string ShiftDayText(const plan::ShiftSummary& s, std::int32_t day) {
    const std::string date = input::DateText(day);
    double minutes = 0;
    for (const plan::ShiftRow& r : s.rows)
        if (r.date == date)
            minutes += static_cast<double>(r.agents) * (r.end - r.start - r.lunchLength);
    std::string out = "Day                  : " + date + " " + input::WeekdayText(day) + "\n";
    out += "Paid agent-hours     : " + Cell(minutes / 60.0, "#,##0.00") + " (shifts starting this day)\n";
    const plan::AchievedSums* a = s.achieved.Day(day);
    if (!a || !a->ServiceLevel()) return out + "Achieved SL          : " + kNone + " (no calls)\n";
    return out + AchievedText(*a, "of the day's calls");
}

std::string TotalsText(const plan::PlanTotals& t, const plan::ShiftSummary* shifts) {
    std::string out;
    out += "Required agent-hours : " + Cell(t.RequiredHours(), "#,##0.00") + "\n";
    out += "Scheduled agent-hours: " + Cell(t.ScheduledHours(), "#,##0.00") + "\n";
    out += "Peak interval        : ";
    if (const auto& peak = t.Peak())
        out += OneLine(peak->label) + ", " + std::to_string(peak->agents) + " agents (" +
               std::to_string(peak->scheduled) + " scheduled)\n";
    else
        out += "none\n";
    if (t.OutsideRange() > 0)
        out += "Outside the usable range: " + std::to_string(t.OutsideRange()) + " interval" +
               (t.OutsideRange() == 1 ? "" : "s") + "\n";
    if (shifts) out += ShiftTotalsText(t, *shifts);
    return out;
}

std::unique_ptr<PlanWriter> MakePlanWriter(PlanFormat format, const plan::PlanOptions& options,
                                           const std::string& fileName, bool onDuty) {
    switch (format) {
        case PlanFormat::Csv: return std::make_unique<CsvWriter>(options, onDuty);
        case PlanFormat::Json: return std::make_unique<JsonWriter>(options, fileName, onDuty);
        case PlanFormat::Text: break;
    }
    return std::make_unique<TextWriter>(options, fileName, onDuty);
}

std::string PlanText(const plan::DayPlan& plan, PlanFormat format, const std::string& fileName,
                     const plan::ShiftSummary* shifts) {
    const auto writer = MakePlanWriter(format, plan.options, fileName, shifts != nullptr);
    for (const plan::IntervalPlan& p : plan.rows) writer->Measure(p);
    std::string out = writer->Head();
    for (const plan::IntervalPlan& p : plan.rows) out += writer->Row(p);
    return out + writer->Tail(plan.totals, shifts);
}

std::string ShiftPlanCsv(const plan::ShiftSummary& shifts) {
    std::string out = "date,shift,start,lunch,agents\r\n";
    for (const plan::ShiftRow& r : shifts.rows) {
        AppendCsvField(out, r.date);
        out += ',';
        AppendCsvField(out, r.shift);
        out += ',' + input::TimeText(r.start) + ',' + (r.lunch ? input::TimeText(*r.lunch) : std::string()) +
               ',' + std::to_string(r.agents) + "\r\n";
    }
    return out;
}

}  // namespace corvane::report
