#include "model/view.h"

namespace corvane::model {

const char* ViewText(View view) {
    switch (view) {
        case View::None: return "None";
        case View::Agents: return "Agents";
        case View::Delays: return "Delays";
        case View::Trunks: return "Trunks";
    }
    return "None";
}

ViewGroups GroupsShownBy(View view) {
    ViewGroups g;
    g.opening = view == View::None;
    g.staffTable = view == View::Agents;
    g.delayTable = view == View::Delays;
    g.staffInputs = IsStaffingView(view);
    g.trunks = view == View::Trunks;
    return g;
}

}  // namespace corvane::model
