#include "model/roster.h"

#include <algorithm>
#include <sstream>

#include "input/label_time.h"
#include "report/fixed_table.h"

namespace corvane::model {

std::vector<plan::ShiftRow> RosterOfDay(const plan::ShiftSummary& shifts, const std::string& date) {
    std::vector<plan::ShiftRow> rows;
    for (const plan::ShiftRow& r : shifts.rows)
        if (r.date == date) rows.push_back(r);
    std::stable_sort(rows.begin(), rows.end(), [](const plan::ShiftRow& a, const plan::ShiftRow& b) {
        return a.start < b.start;
    });
    return rows;
}

std::vector<std::string> RosterDates(const plan::ShiftSummary& shifts) {
    std::vector<std::string> dates;
    for (const plan::ShiftRow& r : shifts.rows)
        if (std::find(dates.begin(), dates.end(), r.date) == dates.end()) dates.push_back(r.date);
    std::sort(dates.begin(), dates.end());
    return dates;
}

ShiftCounts CountsPerDay(const plan::ShiftSummary& shifts) {
    ShiftCounts counts;
    counts.dates = RosterDates(shifts);
    for (const plan::ShiftRow& r : shifts.rows)
        if (std::find(counts.types.begin(), counts.types.end(), r.shift) == counts.types.end())
            counts.types.push_back(r.shift);
    counts.agents.assign(counts.dates.size(), std::vector<long>(counts.types.size(), 0));
    for (const plan::ShiftRow& r : shifts.rows) {
        const auto d = std::find(counts.dates.begin(), counts.dates.end(), r.date) - counts.dates.begin();
        const auto t = std::find(counts.types.begin(), counts.types.end(), r.shift) - counts.types.begin();
        counts.agents[static_cast<std::size_t>(d)][static_cast<std::size_t>(t)] += r.agents;
    }
    return counts;
}

namespace {

void AppendLines(const std::string& text, std::vector<std::string>& lines) {
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
}

}  // namespace

std::vector<std::string> RosterLines(const plan::ShiftSummary& shifts, const std::string& date) {
    using Align = report::FixedTable::Align;
    std::vector<std::string> lines;
    const std::vector<plan::ShiftRow> day = RosterOfDay(shifts, date);
    if (day.empty()) {
        lines.push_back("No shift starts on this day.");
    } else {
        report::FixedTable table;
        table.AddColumn("Shift", Align::Left);
        table.AddColumn("Start", Align::Left);
        table.AddColumn("Lunch", Align::Left);
        table.AddColumn("End", Align::Left);
        table.AddColumn("Agents", Align::Right);
        std::vector<std::vector<std::string>> rows;
        for (const plan::ShiftRow& r : day)
            rows.push_back({r.shift, input::TimeText(r.start),
                            r.lunch ? input::TimeText(*r.lunch) : "-",
                            input::TimeText(r.end % (24 * 60)), std::to_string(r.agents)});
        AppendLines(table.Text(rows), lines);
    }
    const ShiftCounts counts = CountsPerDay(shifts);
    if (counts.types.empty()) return lines;
    lines.emplace_back();
    lines.emplace_back("Agents starting each shift per day");
    lines.emplace_back();
    report::FixedTable table;
    table.AddColumn("Date", Align::Left);
    for (const std::string& t : counts.types) table.AddColumn(t, Align::Right);
    std::vector<std::vector<std::string>> rows;
    for (std::size_t d = 0; d < counts.dates.size(); ++d) {
        std::vector<std::string> row{counts.dates[d]};
        for (long n : counts.agents[d]) row.push_back(std::to_string(n));
        rows.push_back(std::move(row));
    }
    AppendLines(table.Text(rows), lines);
    return lines;
}

}  // namespace corvane::model
