#pragma once

#include <optional>

#include "calc/calc_error.h"
#include "calc/result.h"
#include "model/run_message.h"

namespace corvane::model {

// The one place the window's failure and advice texts are built.

// "Unexpected error #  521": the number follows with its sign position.
std::string UnexpectedErrorText(ErrorNumber number);

// What the window says when a trunk group's search fails.
RunMessage TrunkSearchFailure(ErrorNumber number);

// What the window says when the staffing run fails; nothing for a run
// that ends silently (a blank field, a traffic of nothing).
std::optional<RunMessage> StaffingFailure(ErrorNumber number, bool allFieldsFilled);

// What the window says after Copy To Clipboard: the advice to paste in a
// mono-spaced font, or the failure.
RunMessage ClipboardOutcome(const Result<void, ErrorNumber>& copied);

}  // namespace corvane::model
