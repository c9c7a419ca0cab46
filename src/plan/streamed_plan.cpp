#include "plan/streamed_plan.h"

namespace corvane::plan {

StreamedPlan::StreamedPlan(const PlanOptions& options)
    : options_(options), totals_(options.intervalMinutes) {}

void StreamedPlan::FirstPass(ForecastReader& reader, const RowFunction& each) {
    ForecastRow row;
    while (reader.Next(row)) {
        IntervalPlan p = PlanInterval(row, options_);
        totals_.Add(p);
        each(p);
        if (kept_.size() < kKeptRows) kept_.push_back(std::move(p));
        ++rows_;
    }
}

void StreamedPlan::SecondPass(const RowFunction& each) const {
    for (const IntervalPlan& p : kept_) each(p);
}

void StreamedPlan::SecondPass(ForecastReader& reader, const RowFunction& each) {
    ForecastRow row;
    std::size_t i = 0;
    while (reader.Next(row)) {
        each(i < kept_.size() ? kept_[i] : PlanInterval(row, options_));
        ++i;
    }
    if (i != rows_) throw PlanInputError("the forecast changed while it was being planned");
}

}  // namespace corvane::plan
