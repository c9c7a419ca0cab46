#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calc/result.h"
#include "input/byte_source.h"
#include "input/label_time.h"
#include "input/plan_fault.h"

namespace corvane::forecasting {

// One interval of a history: its start (minutes after midnight), its calls
// and their handle times in seconds.
struct HistorySlot {
    int minute = 0;
    int line = 0;  // where it stands in the file
    double calls = 0;
    double talk = 0;
    double acw = 0;
};

// The intervals of one date, in the order of the day.
struct HistoryDay {
    std::int32_t day = 0;  // days from 1970-01-01
    std::vector<HistorySlot> slots;
    double calls = 0;  // the day's total
};

// Which handle times the history gives, and so which the forecast writes.
enum class HandleTimes { None, Talk, TalkAndAcw, Aht };

struct CallHistory {
    std::string name;               // as messages name the file
    std::vector<HistoryDay> days;   // the dates with rows, in order
    HandleTimes handleTimes = HandleTimes::None;
    // The intervals' length in minutes; 0 when every row starts at one time
    // of day.
    int intervalMinutes = 0;
    // What the reading decided that the planner should know, each naming
    // the file and line.
    std::vector<std::string> notices;
};

// A forecast needs two weeks of history at least: one of each weekday to
// stand on and a second to tell a closed day from a holiday.
inline constexpr int kLeastHistoryDays = 14;

// The last weeks of a history decide which weekdays are open.
inline constexpr int kOpenWindowDays = 28;

// Reads a history of calls per interval with the forecast reader's rules
// (columns by name, dates and times in one or two columns, totals and
// repeated intervals refused), then checks what a forecast needs: a date and
// a time on every row and two weeks between the first date and the last.
// Faults name the file and, where one is to blame, the line.
Result<CallHistory, input::PlanFault> ReadHistory(input::ByteSource& source,
                                                  const std::string& name,
                                                  input::DateOrder order);

}  // namespace corvane::forecasting
