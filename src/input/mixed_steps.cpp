#include "input/mixed_steps.h"

#include "input/csv_records.h"
#include "input/input_error.h"
#include "input/label_time.h"
#include "input/text_check.h"

namespace corvane::input {

namespace {

std::string Minutes(int m) { return std::to_string(m) + " minutes"; }

}  // namespace

void MixedSteps::Add(const ForecastRow& row) {
    if (!row.minute) {
        Close();
        return;
    }
    if (open_ && (open_->day != row.day || *row.minute <= open_->lastMinute)) Close();
    if (!open_) {
        open_ = Stretch{row.day, row.line, *row.minute, row.label, {}};
        return;
    }
    const int step = *row.minute - open_->lastMinute;
    if (!open_->runs.empty() && open_->runs.back().step == step)
        ++open_->runs.back().length;
    else
        open_->runs.push_back({step, 1, row.line, open_->lastLabel, row.label});
    open_->lastMinute = *row.minute;
    open_->lastLabel = row.label;
}

namespace {

// The step most pairs have (the shortest on a tie), and how many have it.
std::pair<int, long> CommonStep(const std::map<int, long>& pairs) {
    int common = 0;
    long most = 0;
    for (const auto& [step, n] : pairs)  // shortest first, so it wins a tie
        if (n > most) {
            common = step;
            most = n;
        }
    return {common, most};
}

}  // namespace

void MixedSteps::Check(const Stretch& s, int common, bool gaps) const {
    for (const Run& r : s.runs) {
        if (r.step == common || (gaps && r.length == 1 && r.step % common == 0)) continue;
        Refuse(r.line, "'" + Printable(r.to) + "' is " + Minutes(r.step) + " after '" +
                           Printable(r.from) + "', but the rows around it are " +
                           Minutes(common) + " apart: rows of different lengths cannot be "
                           "planned as one; give every row the same length (split longer rows, "
                           "or plan them in a file of their own)");
    }
}

void MixedSteps::Close() {
    if (!open_) return;
    Stretch s = std::move(*open_);
    open_.reset();
    std::map<int, long> pairs;
    long all = 0;
    for (const Run& r : s.runs) {
        pairs[r.step] += r.length;
        all += r.length;
    }
    if (pairs.empty()) return;
    const auto [common, most] = CommonStep(pairs);
    // A jump reads as intervals left out only where the common step clearly
    // rules the day; where steps are as many as each other, the file's other
    // days decide.
    if (most <= all - most) {
        if (unsettled_.size() == kMostUnsettled) Check(s, common, false);
        unsettled_.push_back(std::move(s));
        return;
    }
    Check(s, common, true);
    Length& length = lengths_[common];
    if (length.pairs == 0) {
        length.line = s.firstLine;
        length.day = s.day;
    }
    length.pairs += most;
}

void MixedSteps::Finish() {
    Close();
    std::map<int, long> pairs;
    for (const auto& [step, l] : lengths_) pairs[step] = l.pairs;
    const auto [common, most] = CommonStep(pairs);
    for (const Stretch& s : unsettled_) {
        if (most > 0) {
            Check(s, common, true);
            continue;
        }
        std::map<int, long> own;
        for (const Run& r : s.runs) own[r.step] += r.length;
        Check(s, CommonStep(own).first, false);
    }
    if (lengths_.size() < 2) return;
    // The first stretch whose length is not the file's.
    const Length* first = nullptr;
    int step = 0;
    for (const auto& [s, l] : lengths_)
        if (s != common && (!first || l.line < first->line)) {
            first = &l;
            step = s;
        }
    const std::string what = first->day ? "the rows of " + DateText(*first->day) : "the rows";
    Refuse(first->line, what + " are " + Minutes(step) + " apart, but the file's others " +
                            Minutes(common) + ": days of different interval lengths cannot be "
                            "planned as one; plan them in files of their own");
}

void MixedSteps::Refuse(int line, const std::string& why) const {
    throw PlanInputError(Where(name_, line) + why);
}

}  // namespace corvane::input
