#include "plan/streamed_plan.h"

#include <utility>

namespace corvane::plan {

namespace {

input::PlanFault Changed() {
    return {input::PlanFault::Kind::BadInput, "the forecast changed while it was being planned"};
}

}  // namespace

StreamedPlan::StreamedPlan(const PlanOptions& options, KeptRows::MemoryAhead ahead)
    : options_(options), kept_(kKeptRows, std::move(ahead)) {}

Result<void, input::PlanFault> StreamedPlan::Read(input::ForecastReader& reader) {
    input::StepCounter steps;
    input::ForecastRow row;
    for (;;) {
        const auto more = reader.Next(row);
        if (!more) return Fail(more.Error());
        if (!more.Value()) break;
        steps.Add(row);
        if (!kept_.Full()) kept_.Add(std::move(row));
        ++rows_;
    }
    const auto interval =
        input::ResolveInterval(steps, options_.intervalGiven ? std::optional<int>(options_.intervalMinutes)
                                                      : std::nullopt);
    if (!interval) return Fail(interval.Error());
    options_.intervalMinutes = interval.Value();
    totals_ = PlanTotals(options_.intervalMinutes);
    return {};
}

Result<void, input::PlanFault> StreamedPlan::Plan(input::ForecastReader* again, const RowFunction& each) {
    // Totals that cannot be added up end the pass; the rows after are
    // skipped.
    std::optional<input::PlanFault> fault;
    const auto add = [&](const IntervalPlan& p) {
        if (fault) return;
        if (auto added = totals_.Add(p); !added)
            fault = added.Error();
        else
            each(p);
    };
    kept_.Plan(options_, add);
    if (fault) return Fail(*fault);
    if (KeptWhole()) return {};
    if (auto rest = Rest(again, add); !rest) return rest;
    if (fault) return Fail(*fault);
    return {};
}

Result<void, input::PlanFault> StreamedPlan::Write(input::ForecastReader* again, const RowFunction& each) {
    kept_.Replay(each);
    if (KeptWhole()) return {};
    return Rest(again, each);
}

Result<void, input::PlanFault> StreamedPlan::Rest(input::ForecastReader* again, const RowFunction& each) const {
    if (!again) return Fail(Changed());
    input::ForecastRow row;
    std::size_t i = 0;
    for (;; ++i) {
        const auto more = again->Next(row);
        if (!more) return Fail(more.Error());
        if (!more.Value()) break;
        if (i >= kept_.Size()) each(PlanInterval(row, options_));
    }
    if (i != rows_) return Fail(Changed());
    return {};
}

}  // namespace corvane::plan
