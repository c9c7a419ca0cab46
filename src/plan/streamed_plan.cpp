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
        if (kept_.size() < kKeptRows) {
            p.input.label = std::string();
            kept_.push_back(std::move(p));
        }
        ++rows_;
    }
}

void StreamedPlan::SecondPass(ForecastReader& reader, const RowFunction& each) {
    ForecastRow row;
    std::size_t i = 0;
    while (reader.Next(row)) {
        if (i < kept_.size()) {
            IntervalPlan& p = kept_[i];
            p.input.label = std::move(row.label);
            each(p);
            p.input.label = std::string();
        } else {
            each(PlanInterval(row, options_));
        }
        ++i;
    }
    if (i != rows_) throw PlanInputError("the forecast changed while it was being planned");
}

}  // namespace corvane::plan
