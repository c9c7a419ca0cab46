#include "plan/streamed_plan.h"

namespace corvane::plan {

StreamedPlan::StreamedPlan(const PlanOptions& options)
    : options_(options), totals_(options.intervalMinutes) {}

Result<void, PlanFault> StreamedPlan::FirstPass(ForecastReader& reader, const RowFunction& each) {
    ForecastRow row;
    for (;;) {
        const auto more = reader.Next(row);
        if (!more) return Fail(more.Error());
        if (!more.Value()) return {};
        IntervalPlan p = PlanInterval(row, options_);
        if (auto added = totals_.Add(p); !added) return added;
        each(p);
        if (kept_.size() < kKeptRows) kept_.push_back(std::move(p));
        ++rows_;
    }
}

void StreamedPlan::SecondPass(const RowFunction& each) const {
    for (const IntervalPlan& p : kept_) each(p);
}

Result<void, PlanFault> StreamedPlan::SecondPass(ForecastReader& reader, const RowFunction& each) {
    ForecastRow row;
    std::size_t i = 0;
    for (;; ++i) {
        const auto more = reader.Next(row);
        if (!more) return Fail(more.Error());
        if (!more.Value()) break;
        each(i < kept_.size() ? kept_[i] : PlanInterval(row, options_));
    }
    if (i != rows_)
        return Fail(PlanFault{PlanFault::Kind::BadInput,
                              "the forecast changed while it was being planned"});
    return {};
}

}  // namespace corvane::plan
