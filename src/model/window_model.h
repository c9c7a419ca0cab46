#pragma once

#include <string>

#include "model/reports.h"
#include "model/stored_inputs.h"
#include "model/trunk_run.h"
#include "model/view.h"
#include "model/window_field.h"

namespace corvane::model {

// Everything the main window holds and decides, without its widgets: the
// view, the stored numbers, the report lines and the trunk run.
struct WindowModel {
    View view = View::None;
    StoredStaffing staffing;
    TrunkGroups trunks{};
    Reports reports;
    TrunkRun trunkRun;

    // Checks the text a field holds as it is left, and stores the number
    // the check keeps.
    FieldCheck CheckAndStore(WindowField field, const std::string& text, const NumberMarks& marks);

    // Stored numbers to 0 and both staffing tables emptied.
    void ClearStaffing();
    // Every group's numbers to 0 and the trunk table emptied.
    void ClearTrunks();
};

}  // namespace corvane::model
