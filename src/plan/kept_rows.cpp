#include "plan/kept_rows.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace corvane::plan {

static_assert(static_cast<int>(IntervalStatus::OutsideRange) <= 3, "a status fits in two bits");
static_assert(kMaxPlannedAgents <= INT32_MAX, "agents fit in 32 bits");

KeptRows::KeptRows(std::size_t capacity, MemoryAhead ahead)
    : capacity_(capacity), ahead_(std::move(ahead)) {}

void KeptRows::Add(input::ForecastRow&& input) {
    if (blocks_.empty() || blocks_.back().size() == kBlockRows) {
        blocks_.emplace_back().reserve(kBlockRows);
        if (ahead_) ahead_(blocks_.back().data(), kBlockRows * sizeof(Row));
    }
    Row row{};
    row.calls = input.calls;
    row.talk = input.talk;
    row.acw = input.acw;
    row.line = input.line;
    if (input.day) row.flags |= kDated;
    row.day = input.day.value_or(0);
    row.minute = static_cast<std::int16_t>(input.minute.value_or(-1));
    if (input.label.size() <= kInlineLabel) {
        row.labelSize = static_cast<std::uint8_t>(input.label.size());
        std::memcpy(row.label, input.label.data(), input.label.size());
    } else {
        row.labelSize = kLongLabel;
        const auto index = static_cast<std::uint32_t>(longLabels_.size());
        std::memcpy(row.label, &index, sizeof index);
        longLabels_.push_back(std::move(input.label));
    }
    blocks_.back().push_back(row);
    ++size_;
}

void KeptRows::Input(const Row& row, input::ForecastRow& input) const {
    if (row.labelSize == kLongLabel) {
        std::uint32_t index = 0;
        std::memcpy(&index, row.label, sizeof index);
        input.label = longLabels_[index];
    } else {
        input.label.assign(row.label, row.labelSize);  // in the string's own room
    }
    input.line = row.line;
    input.calls = row.calls;
    input.talk = row.talk;
    input.acw = row.acw;
    input.day = row.flags & kDated ? std::optional<std::int32_t>(row.day) : std::nullopt;
    input.minute = row.minute >= 0 ? std::optional<int>(row.minute) : std::nullopt;
}

void KeptRows::Keep(const IntervalPlan& plan, Row& row) {
    row.erlangs = plan.erlangs;
    row.agents = static_cast<std::int32_t>(plan.agents);  // at most kMaxPlannedAgents
    row.scheduled = plan.scheduled;
    row.flags = static_cast<std::uint8_t>((row.flags & kDated) |
                                          static_cast<std::uint8_t>(plan.status));
    if (!plan.measures) return;
    const IntervalMeasures& m = *plan.measures;
    row.flags |= kMeasured;
    row.wait = m.wait;
    row.serviceLevel = m.serviceLevel;
    row.asa = m.asa;
    row.occupancy = m.occupancy;
    if (m.abandon) row.flags |= kAbandons;
    row.abandon = m.abandon.value_or(0);
}

void KeptRows::Planned(const Row& row, IntervalPlan& plan) {
    plan.erlangs = row.erlangs;
    plan.status = static_cast<IntervalStatus>(row.flags & kStatusBits);
    plan.agents = row.agents;
    plan.scheduled = row.scheduled;
    plan.onDuty.reset();
    if (row.flags & kMeasured)
        plan.measures = IntervalMeasures{
            row.wait, row.serviceLevel, row.asa, row.occupancy,
            row.flags & kAbandons ? std::optional<double>(row.abandon) : std::nullopt};
    else
        plan.measures.reset();
}

void KeptRows::Plan(const PlanOptions& options, const RowFunction& each) {
    // A piece of a block at a time, in IntervalPlans used again and again.
    constexpr std::size_t kPiece = 256;
    std::vector<IntervalPlan> piece(std::min(kPiece, size_));
    for (std::vector<Row>& block : blocks_) {
        for (std::size_t first = 0; first < block.size(); first += kPiece) {
            const std::size_t n = std::min(kPiece, block.size() - first);
            for (std::size_t i = 0; i < n; ++i) Input(block[first + i], piece[i].input);
            PlanIntervals(piece.data(), n, options);
            for (std::size_t i = 0; i < n; ++i) {
                Keep(piece[i], block[first + i]);
                each(piece[i]);
            }
        }
    }
}

void KeptRows::Replay(const RowFunction& each) const {
    IntervalPlan plan;
    for (const std::vector<Row>& block : blocks_)
        for (const Row& row : block) {
            Input(row, plan.input);
            Planned(row, plan);
            each(plan);
        }
}

}  // namespace corvane::plan
