#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "plan/forecast_csv.h"
#include "plan/interval_plan.h"
#include "plan/plan_options.h"
#include "plan/plan_totals.h"

namespace corvane::plan {

// Plans a forecast of any length in bounded memory, reading it twice: the
// first pass checks every row, plans it and adds up the totals (so bad
// input is found before anything is written, and a table can size its
// columns); the second hands every row over again for writing. Results of
// the first pass are kept for up to kKeptRows rows and planned afresh
// beyond, so a year is planned once and a decade still fits in memory.
class StreamedPlan {
public:
    using RowFunction = std::function<void(const IntervalPlan&)>;
    static constexpr std::size_t kKeptRows = 1 << 17;

    explicit StreamedPlan(const PlanOptions& options);

    void FirstPass(ForecastReader& reader, const RowFunction& each);
    void SecondPass(ForecastReader& reader, const RowFunction& each);

    const PlanTotals& Totals() const { return totals_; }
    const PlanOptions& Options() const { return options_; }

private:
    PlanOptions options_;
    PlanTotals totals_;
    std::vector<IntervalPlan> kept_;  // without their labels, which the file still has
    std::size_t rows_ = 0;
};

}  // namespace corvane::plan
