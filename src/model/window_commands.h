#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "model/run_message.h"
#include "model/view.h"

namespace corvane::model {

// What Calculate and Clear (menu or button) do in a view.
enum class Command { None, StaffingRun, TrunkRun, ClearStaffing, ClearTrunks };
Command CalculateCommand(View view);  // the opening view calculates nothing
Command ClearCommand(View view);      // outside the trunks view, the staffing side

// Before a staffing run from its button: the first of the four staffing
// fields (talk, acw, calls, objective) left blank, and the message asking
// for it; nothing when all hold text.
struct BlankField {
    std::size_t index;
    RunMessage message;
};
std::optional<BlankField> FirstBlankStaffingField(const std::array<std::string, 4>& texts);

}  // namespace corvane::model
