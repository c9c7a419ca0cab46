#include "model/trunk_run.h"

#include "calc/trunk_table.h"
#include "model/window_messages.h"

namespace corvane::model {

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
        const auto found = TrunksRequired(
            erlangs, busy, [&host] { host.ServicePendingEvents(); }, cancel_);
        groups[i].trunks = found ? found.Value().value_or(0) : 0;
        if (!found) {
            const RunMessage failure = TrunkSearchFailure(found.Error());
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
