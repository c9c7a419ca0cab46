#include "input/interval_step.h"

#include <string>

#include "input/label_time.h"

namespace corvane::input {

void StepCounter::Add(const ForecastRow& row) {
    if (!row.minute) {
        last_.reset();
        return;
    }
    if (last_ && last_->day == row.day && *row.minute > last_->minute) {
        Seen& seen = steps_[*row.minute - last_->minute];
        if (seen.count++ == 0) {
            seen.line = row.line;
            seen.fromMinute = last_->minute;
        }
    }
    last_ = Label{row.day, *row.minute};
}

std::optional<int> StepCounter::Step() const {
    std::optional<int> best;
    long most = 0;
    for (const auto& [step, seen] : steps_)  // shortest first, so it wins a tie
        if (seen.count > most) {
            best = step;
            most = seen.count;
        }
    return best;
}

StepCounter::Example StepCounter::FirstOf(int step) const {
    const auto at = steps_.find(step);
    if (at == steps_.end()) return {};
    return {at->second.line, at->second.fromMinute};
}

Result<int, PlanFault> ResolveInterval(const StepCounter& steps, std::optional<int> given) {
    const auto step = steps.Step();
    if (!step) return given.value_or(30);
    if (given && *given != *step) {
        // Shown with the first pair of labels that step apart.
        const auto first = steps.FirstOf(*step);
        return Fail(PlanFault{PlanFault::Kind::IntervalContradicted,
                              "the labels are " + std::to_string(*step) + " minutes apart (" +
                                  TimeText(first.fromMinute) + " to " +
                                  TimeText(first.fromMinute + *step) + " at line " +
                                  std::to_string(first.line) + ")"});
    }
    return *step;
}

}  // namespace corvane::input
