#include "model/trunk_run.h"

#include "calc/calc_error.h"
#include "calc/trunk_table.h"

namespace corvane::model {

namespace {

// What the window says when a group's search fails.
RunMessage SearchFailure(int error) {
    if (error == kErrOverflow)
        return {"This combination of numbers is too large for the program.", ""};
    return {UnexpectedErrorText(ErrorTextForm::TwoSpaces, error), "Corvane"};
}

}  // namespace

bool TrunkRun::Run(TrunkGroups& groups, TrunkSearchHost& host, const NumberMarks& marks,
                   Reports& reports, const std::function<void(int group)>& changed) {
    if (active_) return false;
    active_ = true;
    reports.trunks = TrunkTableHeadItems();
    changed(kNoGroup);
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (groups[i].erlangs <= 0 || groups[i].busy <= 0) continue;
        const double erlangs = groups[i].erlangs;
        const std::int16_t busy = groups[i].busy;
        cancel_.Reset();  // a cancel stops the group it is pressed in
        const TrunkSearchResult result = TrunksRequired(
            erlangs, busy, [&host] { host.ServicePendingEvents(); }, cancel_);
        groups[i].trunks = result.outcome == TrunkSearchResult::Outcome::Found ? result.trunks : 0;
        if (result.outcome == TrunkSearchResult::Outcome::Failed) {
            const RunMessage failure = SearchFailure(result.error);
            host.ShowMessage(failure.text, failure.title);
        }
        reports.trunks.push_back(
            FormatTrunkGroupLine(static_cast<int>(i), erlangs, busy, groups[i].trunks, marks));
        changed(static_cast<int>(i));
    }
    reports.trunks.push_back(TrunkTableLastItem());
    changed(kNoGroup);
    active_ = false;
    return true;
}

}  // namespace corvane::model
