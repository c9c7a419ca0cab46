#pragma once

#include <functional>
#include <string>

#include "calc/number_marks.h"
#include "calc/trunk_search.h"
#include "model/reports.h"
#include "model/run_message.h"
#include "model/stored_inputs.h"

namespace corvane::model {

// What the trunk run needs from the window: a way to let pending window
// events run (so Cancel works and the window repaints) and a message box.
class TrunkSearchHost {
public:
    virtual ~TrunkSearchHost() = default;
    virtual void ServicePendingEvents() = 0;
    virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
};

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
    // A group whose search fails gets 0 trunks and its message, shown at
    // once; the run goes on. Returns false, doing nothing, when a run is
    // already in progress.
    bool Run(TrunkGroups& groups, TrunkSearchHost& host, const NumberMarks& marks, Reports& reports,
             const std::function<void(int group)>& changed);

    // Stops the group in progress: it gets 0 trunks, without a message.
    void CancelGroup() { cancel_.Cancel(); }

private:
    bool active_ = false;
    CancelToken cancel_;
};

}  // namespace corvane::model
