#pragma once

#include <string>
#include <vector>

#include "plan/shift_summary.h"

namespace corvane::model {

// The shift plan's groups that start on `date` ("" for a forecast without
// dates), in start order: the roster of that day.
std::vector<plan::ShiftRow> RosterOfDay(const plan::ShiftSummary& shifts, const std::string& date);

// The dates the shift plan's groups start on, in order.
std::vector<std::string> RosterDates(const plan::ShiftSummary& shifts);

// Agents starting each shift type on each date: the types in the order the
// plan first names them, a row per date.
struct ShiftCounts {
    std::vector<std::string> types;
    std::vector<std::string> dates;
    std::vector<std::vector<long>> agents;  // [date][type]
};
ShiftCounts CountsPerDay(const plan::ShiftSummary& shifts);

// The roster of `date` as printed: its groups in start order (shift,
// start, lunch, end, agents), then the agents starting each shift type per
// day, as lines of fixed columns.
std::vector<std::string> RosterLines(const plan::ShiftSummary& shifts, const std::string& date);

}  // namespace corvane::model
