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
// plans, in half the memory of IntervalPlans with their labels:
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

    std::size_t Size() const { return size_; }
    bool Full() const { return size_ == capacity_; }
    void Add(input::ForecastRow&& row);
    // Plans every row, as PlanIntervals plans it, and hands the plans on in
    // order; they are kept for Replay.
    void Plan(const PlanOptions& options, const RowFunction& each);
    // Hands the plans on again.
    void Replay(const RowFunction& each) const;

private:
    static constexpr std::size_t kInlineLabel = 16;  // "2027-03-01 07:00"
    static constexpr std::uint8_t kLongLabel = 0xff;

    // 112 bytes: the doubles first, then the narrower fields.
    struct Row {
        double calls, talk, acw;  // the forecast's figures
        double erlangs, wait, serviceLevel, asa, occupancy, abandon;  // the plan's
        long scheduled;
        std::int32_t line, day, agents;
        std::int16_t minute;     // -1: none
        std::uint8_t labelSize;  // kLongLabel: longLabels_[the index in label]
        std::uint8_t flags;      // the status, and which optional values are there
        char label[kInlineLabel];
    };
    static constexpr std::uint8_t kStatusBits = 0x03;
    static constexpr std::uint8_t kDated = 0x04;
    static constexpr std::uint8_t kMeasured = 0x08;
    static constexpr std::uint8_t kAbandons = 0x10;

    void Input(const Row& row, input::ForecastRow& input) const;
    static void Keep(const IntervalPlan& plan, Row& row);
    static void Planned(const Row& row, IntervalPlan& plan);

    // Rows are kept in blocks, each allocated whole when the last is full:
    // they never move, and a short file takes no more than a block.
    static constexpr std::size_t kBlockRows = 4096;  // about 450 KB

    std::size_t capacity_;
    MemoryAhead ahead_;
    std::vector<std::vector<Row>> blocks_;
    std::size_t size_ = 0;
    std::vector<std::string> longLabels_;
};

}  // namespace corvane::plan
