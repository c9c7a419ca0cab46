#include "model/roster.h"

#include <algorithm>

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

}  // namespace corvane::model
