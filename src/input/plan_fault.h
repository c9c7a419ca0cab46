#pragma once

#include <string>

namespace corvane::input {

// Why a forecast could not be planned. The message names the file, the
// line and the column, e.g. "day.csv:14: calls: 'abc' is not a whole
// number"; the program that reads the file adds how to put it right.
struct PlanFault {
    enum class Kind {
        BadInput,
        NoTalkTime,            // a file without a talk column, read without a talk time for it
        DateOrderUnknown,      // dates that could be day or month first, nothing to tell which
        IntervalContradicted,  // the labels' step is not the interval length asked for
        ShiftsFallShort,       // some interval needs more agents than the shifts can give
        NoShiftPlan,           // the solver found no shift plan in the time it was given
        Cancelled,             // the planner stopped the shift solve
    };
    Kind kind = Kind::BadInput;
    std::string message;
};

}  // namespace corvane::input
