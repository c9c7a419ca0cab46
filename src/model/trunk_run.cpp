#include "model/trunk_run.h"

#include "calc/calc_error.h"
#include "calc/trunk_table.h"

namespace corvane::model {

bool TrunkRun::Run(TrunkGroups& groups, TrunkSearchHost& host, const NumberMarks& marks,
                   Reports& reports, const std::function<void(int group)>& changed,
                   std::optional<RunMessage>& failure) {
    if (active_) return false;
    active_ = true;
    reports.trunks = TrunkTableHeadItems();
    changed(kNoGroup);
    try {
        for (std::size_t i = 0; i < groups.size(); ++i) {
            if (groups[i].erlangs <= 0 || groups[i].busy <= 0) continue;
            const double erlangs = groups[i].erlangs;
            const std::int16_t busy = groups[i].busy;
            groups[i].trunks = TrunksRequired(erlangs, busy, host);
            reports.trunks.push_back(
                FormatTrunkGroupLine(static_cast<int>(i), erlangs, busy, groups[i].trunks, marks));
            changed(static_cast<int>(i));
        }
        reports.trunks.push_back(TrunkTableLastItem());
    } catch (const CalcError& e) {
        failure = RunMessage{UnexpectedErrorText(ErrorTextForm::OneSpace, e.number()), ""};
    }
    changed(kNoGroup);
    active_ = false;
    return true;
}

}  // namespace corvane::model
