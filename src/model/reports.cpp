#include "model/reports.h"

namespace corvane::model {

const ReportLines* Reports::Of(View view) const {
    switch (view) {
        case View::Agents: return &agents;
        case View::Delays: return &delays;
        case View::Trunks: return &trunks;
        case View::None: break;
    }
    return nullptr;
}

}  // namespace corvane::model
