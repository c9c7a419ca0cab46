#include "model/window_model.h"

namespace corvane::model {

void WindowModel::ClearStaffing() {
    staffing = StoredStaffing{};
    reports.agents.clear();
    reports.delays.clear();
}

void WindowModel::ClearTrunks() {
    trunks = TrunkGroups{};
    reports.trunks.clear();
}

}  // namespace corvane::model
