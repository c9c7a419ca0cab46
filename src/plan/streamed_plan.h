#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "calc/result.h"
#include "input/forecast_csv.h"
#include "plan/interval_plan.h"
#include "input/interval_step.h"
#include "plan/kept_rows.h"
#include "input/plan_fault.h"
#include "plan/plan_options.h"
#include "plan/plan_totals.h"

namespace corvane::plan {

// Plans a forecast of any length in bounded memory, in three passes: Read
// checks every row and settles the interval length from the labels; Plan
// plans every row and adds up the totals, so bad input is found before
// anything is written and a table can size its columns; Write hands every
// planned row over again. Up to kKeptRows rows (a few years of half-hours)
// are kept from the first pass and the later ones read nothing; a longer
// file is read again by each, the rows past the kept ones planned afresh.
class StreamedPlan {
public:
    using RowFunction = std::function<void(const IntervalPlan&)>;
    static constexpr std::size_t kKeptRows = 1 << 17;

    explicit StreamedPlan(const PlanOptions& options, KeptRows::MemoryAhead ahead = {});

    Result<void, input::PlanFault> Read(input::ForecastReader& reader);
    // Whether Plan and Write need the file again.
    bool KeptWhole() const { return rows_ == kept_.Size(); }
    std::size_t Rows() const { return rows_; }
    // `again` reads the file from its start; unused when it was kept whole.
    Result<void, input::PlanFault> Plan(input::ForecastReader* again, const RowFunction& each);
    Result<void, input::PlanFault> Write(input::ForecastReader* again, const RowFunction& each);

    const PlanTotals& Totals() const { return totals_; }
    // With the interval length settled by Read.
    const PlanOptions& Options() const { return options_; }

private:
    // The rows past the kept ones, read again and planned afresh.
    Result<void, input::PlanFault> Rest(input::ForecastReader* again, const RowFunction& each) const;

    PlanOptions options_;
    PlanTotals totals_;
    KeptRows kept_;
    std::size_t rows_ = 0;
};

}  // namespace corvane::plan
