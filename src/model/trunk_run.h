#pragma once

#include <functional>
#include <optional>

#include "calc/number_marks.h"
#include "calc/trunk_search.h"
#include "model/reports.h"
#include "model/run_message.h"
#include "model/stored_inputs.h"

namespace corvane::model {

// The run over the trunk groups. The search lets the window's events run
// at every candidate, so anything may happen mid-run; one run at a time.
class TrunkRun {
public:
    static constexpr int kNoGroup = -1;

    bool Active() const { return active_; }

    // Fills the trunk table: its head, one line per group that has both a
    // traffic and an allowance (read as the run reaches it), its last item.
    // `changed` is called whenever the table changed, with the index of the
    // group just computed, or kNoGroup.
    // Returns false, doing nothing, when a run is already in progress; a
    // failure gives its message.
    bool Run(TrunkGroups& groups, TrunkSearchHost& host, const NumberMarks& marks, Reports& reports,
             const std::function<void(int group)>& changed, std::optional<RunMessage>& failure);

    // Stops the group in progress (it gets 0 trunks) and, once the window
    // closes, every group after it.
    static void CancelGroup() { CancelTrunks(); }

private:
    bool active_ = false;
};

}  // namespace corvane::model
