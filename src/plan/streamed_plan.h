#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "plan/forecast_csv.h"
#include "plan/interval_plan.h"
#include "plan/plan_options.h"
#include "plan/plan_totals.h"

namespace corvane::plan {

// Plans a forecast of any length in bounded memory: the first pass checks
// every row, plans it and adds up the totals, so bad input is found before
// anything is written and a table can size its columns; the second hands
// every row over again for writing. Up to kKeptRows rows (a few years of
// half-hours) the first pass keeps what it planned and the second reads
// nothing; a longer file is read again, and rows past the kept ones are
// planned afresh.
class StreamedPlan {
public:
    using RowFunction = std::function<void(const IntervalPlan&)>;
    static constexpr std::size_t kKeptRows = 1 << 17;

    explicit StreamedPlan(const PlanOptions& options);

    Result<void, PlanFault> FirstPass(ForecastReader& reader, const RowFunction& each);
    // Whether the second pass needs the file again.
    bool KeptWhole() const { return rows_ == kept_.size(); }
    void SecondPass(const RowFunction& each) const;
    Result<void, PlanFault> SecondPass(ForecastReader& reader, const RowFunction& each);

    const PlanTotals& Totals() const { return totals_; }
    const PlanOptions& Options() const { return options_; }

private:
    PlanOptions options_;
    PlanTotals totals_;
    std::vector<IntervalPlan> kept_;
    std::size_t rows_ = 0;
};

}  // namespace corvane::plan
