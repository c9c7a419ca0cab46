#pragma once

#include <string>

#include "calc/result.h"
#include "input/byte_source.h"
#include "input/plan_fault.h"
#include "shifts/shift_type.h"

namespace corvane::shifts {

// Most shift types one file may give: more is not a planner's file.
inline constexpr std::size_t kMaxShiftTypes = 1000;

// Reads a shifts file, a CSV read by the forecast's rules: a header, then
// one shift type per row. Columns, matched as the forecast's are: name,
// length (H:MM), earliest and latest (HH:MM), and optionally days
// ("Mon-Fri", "Sat,Sun"), max, cost, lunch (H:MM), lunch_after and
// lunch_before (H:MM after the start). Bad input is a PlanFault naming the
// file, the line and the column.
Result<ShiftFile, input::PlanFault> ReadShiftFile(input::ByteSource& source, const std::string& name);

// Whether every time of the file falls on the plan's interval boundaries,
// the only instants a plan can start, end or break a shift at.
Result<void, input::PlanFault> CheckShiftTimes(const ShiftFile& file, int intervalMinutes);

}  // namespace corvane::shifts
