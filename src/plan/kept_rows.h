#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "plan/interval_plan.h"
#include "plan/plan_options.h"

namespace corvane::plan {

// The rows of a forecast kept between the passes over it, with their
// plans, in about half the memory of IntervalPlans with their labels:
// every page a process first touches costs it time (on a virtual machine
// several microseconds), and a year is 17,520 rows.
class KeptRows {
public:
    using RowFunction = std::function<void(const IntervalPlan&)>;
    // Told of the memory the rows are about to fill, a block at a time,
    // before any of it is touched: a caller can have the system provide it
    // in one go rather than page by page.
    using MemoryAhead = std::function<void(void* start, std::size_t bytes)>;

    KeptRows(std::size_t capacity, MemoryAhead ahead);

    std::size_t Size() const { return rows_.size(); }
    bool Full() const { return rows_.size() == capacity_; }
    void Add(ForecastRow&& row);
    // Plans every row, as PlanIntervals plans it, and hands the plans on in
    // order; they are kept for Replay.
    void Plan(const PlanOptions& options, const RowFunction& each);
    // Hands the plans on again.
    void Replay(const RowFunction& each) const;

private:
    static constexpr std::size_t kInlineLabel = 24;
    static constexpr std::uint8_t kLongLabel = 0xff;

    struct Row {
        // The forecast's row.
        double calls, talk, acw;
        std::int32_t line, day;
        std::int16_t minute;  // -1: none
        bool dated;
        std::uint8_t labelSize;  // kLongLabel: longLabels_[the index in label]
        char label[kInlineLabel];
        // Its plan.
        double erlangs;
        long agents, scheduled;
        double wait, serviceLevel, asa, occupancy, abandon;
        IntervalStatus status;
        bool measured, abandons;
    };

    void Input(const Row& row, ForecastRow& input) const;
    static void Keep(const IntervalPlan& plan, Row& row);
    static void Planned(const Row& row, IntervalPlan& plan);

    std::size_t capacity_;
    MemoryAhead ahead_;
    std::vector<Row> rows_;
    std::vector<std::string> longLabels_;
    std::size_t told_ = 0;  // rows the memory ahead was told of
};

}  // namespace corvane::plan
