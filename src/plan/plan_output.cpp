#include "plan/plan_output.h"

#include <csv.h>

#include <charconv>
#include <nlohmann/json.hpp>

#include "calc/number_format.h"
#include "plan/fixed_table.h"

namespace corvane::plan {

namespace {

// Fixed decimals with "." whatever the process locale (a chart run brings
// up Qt, which sets the user's locale).
std::string Fixed(double value, int decimals) {
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return std::string(buf, res.ptr);
}

// A label on one line of the text table: line breaks and other controls
// from a quoted field become blanks.
std::string OneLine(std::string label) {
    for (char& c : label)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return label;
}

bool ErlangA(const PlanOptions& o) { return o.patience.has_value(); }

const char* kNone = "-";

// RFC 4180: a field with a comma, quote or line break goes in quotes.
std::string CsvField(const std::string& value) {
    if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
    std::string out(value.size() * 2 + 2, '\0');
    out.resize(csv_write(out.data(), out.size(), value.data(), value.size()));
    return out;
}

}  // namespace

std::string TargetText(const PlanOptions& o) {
    std::string text = DecimalText(o.slPercent) + " % of calls answered within " +
                       std::to_string(o.answerSeconds) + " s";
    if (o.asaLimit) text += "; ASA at most " + DecimalText(*o.asaLimit) + " s";
    if (o.maxOccupancy) text += "; occupancy at most " + DecimalText(*o.maxOccupancy) + " %";
    if (o.maxAbandon) text += "; at most " + DecimalText(*o.maxAbandon) + " % hang up";
    return text;
}

std::string PlanText(const DayPlan& plan, const std::string& fileName) {
    const PlanOptions& o = plan.options;
    const bool withAbandon = ErlangA(o);
    FixedTable table;
    using A = FixedTable::Align;
    table.AddColumn("Interval", A::Left);
    for (const char* head : {"Calls", "Talk", "ACW", "Erlangs", "Agents", "SL%", "ASA", "OCC%"})
        table.AddColumn(head, A::Right);
    if (withAbandon) table.AddColumn("ABN%", A::Right);
    table.AddColumn("Scheduled", A::Right);
    table.AddColumn("Status", A::Left);

    for (const IntervalPlan& p : plan.rows) {
        std::vector<std::string> cells{
            OneLine(p.input.label),
            FormatNumber(static_cast<double>(p.input.calls), "#,##0"),
            FormatNumber(static_cast<double>(p.input.talk), "#,##0"),
            FormatNumber(static_cast<double>(p.input.acw), "#,##0"),
            FormatNumber(p.erlangs, "#,##0.00"),
        };
        const bool computed = p.status != IntervalStatus::OutsideRange;
        cells.push_back(computed ? FormatNumber(static_cast<double>(p.agents), "#,##0") : kNone);
        if (p.measures) {
            // The window's own patterns, so a half-hour row reads as its table row.
            cells.push_back(FormatNumber(p.measures->serviceLevel * 100.0, "##0"));
            cells.push_back(FormatNumber(p.measures->asa, "#,##0.0"));
            cells.push_back(FormatNumber(p.measures->occupancy * 100.0, "##0"));
            if (withAbandon) cells.push_back(FormatNumber(*p.measures->abandon * 100.0, "##0.0"));
        } else {
            cells.insert(cells.end(), withAbandon ? 4 : 3, kNone);
        }
        cells.push_back(computed ? FormatNumber(static_cast<double>(p.scheduled), "#,##0") : kNone);
        cells.push_back(StatusText(p.status));
        table.AddRow(std::move(cells));
    }

    std::string out = "Day plan of " + fileName + "\n";
    out += "Target: " + TargetText(o) + "\n";
    out += "Intervals of " + std::to_string(o.intervalMinutes) + " minutes; shrinkage " +
           DecimalText(o.shrinkage) + " %; ";
    out += withAbandon
               ? "Erlang A, callers hang up after " + std::to_string(*o.patience) + " s on average"
               : std::string("Erlang C, callers wait as long as it takes");
    out += "\n\n";
    for (const std::string& line : table.Lines()) out += line + "\n";

    const PlanTotals& t = plan.totals;
    out += "\n";
    out += "Required agent-hours : " + FormatNumber(t.requiredHours, "#,##0.00") + "\n";
    out += "Scheduled agent-hours: " + FormatNumber(t.scheduledHours, "#,##0.00") + "\n";
    out += "Peak interval        : ";
    if (t.peak) {
        const IntervalPlan& peak = plan.rows[*t.peak];
        out += OneLine(peak.input.label) + ", " + std::to_string(peak.agents) + " agents (" +
               std::to_string(peak.scheduled) + " scheduled)\n";
    } else {
        out += "none\n";
    }
    if (t.outsideRange > 0)
        out += "Outside the usable range: " + std::to_string(t.outsideRange) + " interval" +
               (t.outsideRange == 1 ? "" : "s") + "\n";
    return out;
}

std::string PlanCsv(const DayPlan& plan) {
    const bool withAbandon = ErlangA(plan.options);
    std::string out = "interval,calls,talk,acw,erlangs,agents,service_level,asa,occupancy,";
    out += withAbandon ? "abandon,scheduled,status\r\n" : "scheduled,status\r\n";
    for (const IntervalPlan& p : plan.rows) {
        out += CsvField(p.input.label) + ',' + std::to_string(p.input.calls) + ',' +
               std::to_string(p.input.talk) + ',' + std::to_string(p.input.acw) + ',' +
               Fixed(p.erlangs, 3) + ',';
        const bool computed = p.status != IntervalStatus::OutsideRange;
        if (computed) out += std::to_string(p.agents);
        out += ',';
        if (p.measures) {
            out += Fixed(p.measures->serviceLevel * 100.0, 2) + ',' + Fixed(p.measures->asa, 2) +
                   ',' + Fixed(p.measures->occupancy * 100.0, 2) + ',';
            if (withAbandon) out += Fixed(*p.measures->abandon * 100.0, 2) + ',';
        } else {
            out += withAbandon ? ",,,," : ",,,";
        }
        if (computed) out += std::to_string(p.scheduled);
        out += ',';
        out += CsvField(StatusText(p.status));
        out += "\r\n";
    }
    return out;
}

std::string PlanJson(const DayPlan& plan, const std::string& fileName) {
    using nlohmann::ordered_json;
    const PlanOptions& o = plan.options;
    ordered_json options;
    options["service_level"] = o.slPercent.ToDouble();
    options["answer_seconds"] = o.answerSeconds;
    options["asa"] = o.asaLimit ? ordered_json(o.asaLimit->ToDouble()) : ordered_json(nullptr);
    options["max_occupancy"] =
        o.maxOccupancy ? ordered_json(o.maxOccupancy->ToDouble()) : ordered_json(nullptr);
    options["shrinkage"] = o.shrinkage.ToDouble();
    options["interval_minutes"] = o.intervalMinutes;
    options["talk"] = o.talk ? ordered_json(*o.talk) : ordered_json(nullptr);
    options["acw"] = o.acw;
    if (o.patience) {
        options["patience"] = *o.patience;
        options["max_abandon"] =
            o.maxAbandon ? ordered_json(o.maxAbandon->ToDouble()) : ordered_json(nullptr);
    }

    ordered_json rows = ordered_json::array();
    for (const IntervalPlan& p : plan.rows) {
        ordered_json row;
        const bool computed = p.status != IntervalStatus::OutsideRange;
        const auto orNull = [](bool has, auto value) {
            return has ? ordered_json(value) : ordered_json(nullptr);
        };
        const bool m = p.measures.has_value();
        row["interval"] = p.input.label;
        row["line"] = p.input.line;
        row["calls"] = p.input.calls;
        row["talk"] = p.input.talk;
        row["acw"] = p.input.acw;
        row["erlangs"] = p.erlangs;
        row["agents"] = orNull(computed, p.agents);
        row["service_level"] = orNull(m, m ? p.measures->serviceLevel * 100.0 : 0.0);
        row["asa"] = orNull(m, m ? p.measures->asa : 0.0);
        row["occupancy"] = orNull(m, m ? p.measures->occupancy * 100.0 : 0.0);
        if (o.patience) row["abandon"] = orNull(m, m ? *p.measures->abandon * 100.0 : 0.0);
        row["scheduled"] = orNull(computed, p.scheduled);
        row["status"] = StatusText(p.status);
        rows.push_back(std::move(row));
    }

    const PlanTotals& t = plan.totals;
    ordered_json totals;
    totals["required_agent_hours"] = t.requiredHours;
    totals["scheduled_agent_hours"] = t.scheduledHours;
    if (t.peak) {
        const IntervalPlan& peak = plan.rows[*t.peak];
        totals["peak"] = {
            {"interval", peak.input.label}, {"agents", peak.agents}, {"scheduled", peak.scheduled}};
    } else {
        totals["peak"] = nullptr;
    }
    totals["outside_range"] = t.outsideRange;

    ordered_json doc;
    doc["file"] = fileName;
    doc["model"] = o.patience ? "erlang-a" : "erlang-c";
    doc["options"] = std::move(options);
    doc["rows"] = std::move(rows);
    doc["totals"] = std::move(totals);
    return doc.dump(2) + "\n";
}

}  // namespace corvane::plan
