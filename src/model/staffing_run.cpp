#include "model/staffing_run.h"

#include "calc/staffing_engine.h"
#include "model/window_messages.h"

namespace corvane::model {

std::optional<RunMessage> RunStaffing(const StaffingEcho& echo, const StoredStaffing& stored,
                                      const NumberMarks& marks, Reports& reports) {
    reports.agents = StaffingHeadLines(echo);
    reports.delays = DelayHeadLines(echo);
    const auto computed = ComputeStaffingRows(stored.EngineInputs(), [&](const StaffingRow& row) {
        reports.agents.push_back(FormatStaffingLine(row, marks));
        reports.delays.push_back(FormatDelayLine(row, marks));
    });
    if (computed) return std::nullopt;
    // The emptiness test is on the raw texts: blanks count as filled.
    const bool allFilled =
        !echo.talk.empty() && !echo.acw.empty() && !echo.calls.empty() && !echo.slo.empty();
    return StaffingFailure(computed.Error(), allFilled);
}

}  // namespace corvane::model
