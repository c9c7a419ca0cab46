#pragma once

#include <optional>

#include "calc/number_marks.h"
#include "calc/staffing_tables.h"
#include "model/reports.h"
#include "model/run_message.h"
#include "model/stored_inputs.h"

namespace corvane::model {

// The staffing run: both tables cleared and headed with the field texts as
// typed, then one staffing and one delay line per agent count, computed
// from the stored numbers. A failure keeps the lines written so far and
// gives the message to show, if any: the usable-range message when every
// field holds text, none when one is empty.
std::optional<RunMessage> RunStaffing(const StaffingEcho& echo, const StoredStaffing& stored,
                                      const NumberMarks& marks, Reports& reports);

}  // namespace corvane::model
