#pragma once

#include <memory>
#include <optional>
#include <string>

#include "calc/result.h"
#include "plan/plan_options.h"
#include "shifts/shift_goal.h"
#include "shifts/shift_type.h"

namespace corvane::model {

// What the plan window asks of a plan: the command line's options, and
// the shift types when a shifts file is chosen.
struct PlanSettings {
    plan::PlanOptions options;
    std::shared_ptr<const shifts::ShiftFile> shifts;
    double shiftTimeLimit = 10;  // seconds, as corvane-plan gives the solver
    bool allowShort = false;     // intervals no shift can cover are left short
    shifts::ShiftGoal shiftGoal = shifts::ShiftGoal::Interval;
    std::optional<plan::Decimal> intervalFloor;  // per cent, with a goal over days or weeks
};

// The plan window's entries, each one setting.
enum class PlanField {
    ServicePercent,   // P % of calls ...
    AnswerSeconds,    // ... answered within S seconds
    AsaLimit,         // optional
    MaxOccupancy,     // optional
    Shrinkage,
    IntervalMinutes,  // only for labels without times
    Patience,         // optional: given, the plan uses Erlang A
    MaxAbandon,       // optional, with a patience only
    ShiftTimeLimit,   // seconds the shift planning may take
    IntervalFloor,    // optional: the least service level of an interval, with a goal
};

// The entry's label: "Shrinkage (%)".
const char* FieldLabel(PlanField field);

// The setting as its entry shows it: "80", "" for none.
std::string FieldText(const PlanSettings& settings, PlanField field);

// Reads an entry's text into the settings (empty clears an optional one),
// or leaves them as they were and says why, naming the entry:
// "Shrinkage (%): '120' must be at least 0 and below 100".
Result<void, std::string> SetField(PlanSettings& settings, PlanField field,
                                   const std::string& text);

}  // namespace corvane::model
