#pragma once

#include <string>
#include <vector>

#include "model/view.h"

namespace corvane::model {

using ReportLines = std::vector<std::string>;

// The report lines of each view, as the result lists show them.
struct Reports {
    ReportLines agents;  // the staffing table
    ReportLines delays;  // the delay table
    ReportLines trunks;  // the trunk table

    // The lines copied and printed in a view; none in the opening view.
    const ReportLines* Of(View view) const;
};

}  // namespace corvane::model
