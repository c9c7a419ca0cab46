#include "model/staffing_run.h"

#include "calc/calc_error.h"
#include "calc/staffing_engine.h"

namespace corvane::model {

std::optional<RunMessage> RunStaffing(const StaffingEcho& echo, const StoredStaffing& stored,
                                      const NumberMarks& marks, Reports& reports) {
    reports.agents = StaffingHeadLines(echo);
    reports.delays = DelayHeadLines(echo);
    try {
        ComputeStaffingRows(stored.EngineInputs(), [&](const StaffingRow& row) {
            reports.agents.push_back(FormatStaffingLine(row, marks));
            reports.delays.push_back(FormatDelayLine(row, marks));
        });
    } catch (const CalcError& e) {
        switch (e.Number()) {
            case kErrOverflow: {
                // The emptiness test is on the raw texts: blanks count as filled.
                const bool allFilled = !echo.talk.empty() && !echo.acw.empty() &&
                                       !echo.calls.empty() && !echo.slo.empty();
                if (!allFilled) return std::nullopt;
                return RunMessage{
                    "Staff calculation failed: the specified parameters are "
                    "outside the usable range.",
                    "Corvane"};
            }
            case kErrInvalidCall: return std::nullopt;
            default:
                return RunMessage{UnexpectedErrorText(ErrorTextForm::TwoSpaces, e.Number()),
                                  "Staffing"};
        }
    }
    return std::nullopt;
}

}  // namespace corvane::model
