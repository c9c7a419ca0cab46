#include "plan/streamed_plan.h"

#include <algorithm>
#include <utility>

namespace corvane::plan {

namespace {

PlanFault Changed() {
    return {PlanFault::Kind::BadInput, "the forecast changed while it was being planned"};
}

}  // namespace

StreamedPlan::StreamedPlan(const PlanOptions& options, MemoryAhead ahead)
    : options_(options), ahead_(std::move(ahead)) {
    // Address space only: pages are touched as rows arrive, and the rows
    // are never moved as the list grows.
    kept_.reserve(kKeptRows);
}

Result<void, PlanFault> StreamedPlan::Read(ForecastReader& reader) {
    StepCounter steps;
    ForecastRow row;
    for (;;) {
        const auto more = reader.Next(row);
        if (!more) return Fail(more.Error());
        if (!more.Value()) break;
        steps.Add(row);
        if (kept_.size() < kKeptRows) {
            if (kept_.size() == told_ && ahead_) {
                constexpr std::size_t kBlock = 2048;  // rows, about 400 KB
                const std::size_t block = std::min(kBlock, kKeptRows - told_);
                ahead_(kept_.data() + told_, block * sizeof(IntervalPlan));
                told_ += block;
            }
            kept_.emplace_back();
            kept_.back().input = std::move(row);
        }
        ++rows_;
    }
    const auto interval =
        ResolveInterval(steps, options_.intervalGiven ? std::optional<int>(options_.intervalMinutes)
                                                      : std::nullopt);
    if (!interval) return Fail(interval.Error());
    options_.intervalMinutes = interval.Value();
    totals_ = PlanTotals(options_.intervalMinutes);
    return {};
}

Result<void, PlanFault> StreamedPlan::Plan(ForecastReader* again, const RowFunction& each) {
    PlanIntervals(kept_.data(), kept_.size(), options_);
    for (const IntervalPlan& p : kept_) {
        if (auto added = totals_.Add(p); !added) return added;
        each(p);
    }
    if (KeptWhole()) return {};
    std::optional<PlanFault> fault;
    auto rest = Rest(again, [&](const IntervalPlan& p) {
        if (fault) return;
        if (auto added = totals_.Add(p); !added)
            fault = added.Error();
        else
            each(p);
    });
    if (!rest) return rest;
    if (fault) return Fail(*fault);
    return {};
}

Result<void, PlanFault> StreamedPlan::Write(ForecastReader* again, const RowFunction& each) {
    for (const IntervalPlan& p : kept_) each(p);
    if (KeptWhole()) return {};
    return Rest(again, each);
}

Result<void, PlanFault> StreamedPlan::Rest(ForecastReader* again, const RowFunction& each) const {
    if (!again) return Fail(Changed());
    ForecastRow row;
    std::size_t i = 0;
    for (;; ++i) {
        const auto more = again->Next(row);
        if (!more) return Fail(more.Error());
        if (!more.Value()) break;
        if (i >= kept_.size()) each(PlanInterval(row, options_));
    }
    if (i != rows_) return Fail(Changed());
    return {};
}

}  // namespace corvane::plan
