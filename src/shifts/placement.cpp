#include "shifts/placement.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace corvane::shifts {

namespace {

constexpr int kQuickPasses = 20;

// Adds `agents` (negative to take away) to the slots a placement works.
void AddOnDuty(const ShiftGrid& grid, const ShiftType& s, const StartGroup& g, const Placement& p,
               std::vector<long>& onDuty) {
    const int step = grid.intervalMinutes;
    const long start = g.firstSlot + p.start;
    for (int k = 0; k < s.length / step; ++k)
        if (const int t = grid.Wrap(start + k); t >= 0) onDuty[static_cast<std::size_t>(t)] += p.agents;
    if (p.lunch < 0) return;
    for (int k = 0; k < s.lunch / step; ++k)
        if (const int t = grid.Wrap(g.firstSlot + p.lunch + k); t >= 0)
            onDuty[static_cast<std::size_t>(t)] -= p.agents;
}

// A start that can work a slot, `offset` slots after it begins.
struct Candidate {
    int group;
    int start;
    int offset;
};

}  // namespace

std::optional<std::vector<Placement>> QuickPlacements(const ShiftGrid& grid, const ShiftFile& file,
                                                      const ShiftModel& model, bool allowShort) {
    const int step = grid.intervalMinutes;
    std::vector<std::vector<Candidate>> candidates(static_cast<std::size_t>(grid.Slots()));
    for (std::size_t gi = 0; gi < model.groups.size(); ++gi) {
        const StartGroup& g = model.groups[gi];
        const ShiftType& s = file.types[static_cast<std::size_t>(g.type)];
        for (int i = 0; i < g.starts; ++i)
            for (int k = 0; k < s.length / step; ++k) {
                const int t = grid.Wrap(g.firstSlot + i + k);
                if (t >= 0 && grid.need[static_cast<std::size_t>(t)] > 0 && CanWork(s, step, k))
                    candidates[static_cast<std::size_t>(t)].push_back({static_cast<int>(gi), i, k});
            }
    }
    for (auto& c : candidates)
        std::stable_sort(c.begin(), c.end(),
                         [](const Candidate& x, const Candidate& y) { return x.offset < y.offset; });

    std::vector<long> left(model.groups.size(), LONG_MAX);
    for (std::size_t gi = 0; gi < model.groups.size(); ++gi)
        if (const auto& max = file.types[static_cast<std::size_t>(model.groups[gi].type)].max)
            left[gi] = *max;
    std::vector<Placement> placements;
    std::vector<long> onDuty(grid.need.size());
    for (int pass = 0; pass < kQuickPasses; ++pass) {
        bool added = false;
        bool stopped = false;
        for (std::size_t t = 0; t < grid.need.size(); ++t) {
            for (const Candidate& c : candidates[t]) {
                if (onDuty[t] >= grid.need[t]) break;
                if (left[static_cast<std::size_t>(c.group)] == 0) continue;
                const StartGroup& g = model.groups[static_cast<std::size_t>(c.group)];
                const ShiftType& s = file.types[static_cast<std::size_t>(g.type)];
                Placement p{c.group, c.start, -1,
                            std::min(grid.need[t] - onDuty[t], left[static_cast<std::size_t>(c.group)])};
                if (s.lunch > 0) {
                    // The latest lunch that leaves this slot worked.
                    const int lunch = s.lunch / step;
                    for (int k = s.lunchBefore / step; k >= s.lunchAfter / step; --k)
                        if (c.offset < k || c.offset >= k + lunch) {
                            p.lunch = c.start + k;
                            break;
                        }
                }
                left[static_cast<std::size_t>(c.group)] -= p.agents;
                AddOnDuty(grid, s, g, p, onDuty);
                placements.push_back(p);
                added = true;
            }
            if (onDuty[t] < grid.need[t]) stopped = true;
        }
        if (!stopped) return placements;
        if (!added) break;
    }
    if (allowShort) return placements;
    return std::nullopt;
}

std::vector<double> ColumnValues(const ShiftGrid& grid, const ShiftFile& file,
                                 const ShiftModel& model, const std::vector<Placement>& placements) {
    std::vector<double> values(static_cast<std::size_t>(model.Columns()));
    for (const Placement& p : placements) {
        const StartGroup& g = model.groups[static_cast<std::size_t>(p.group)];
        values[static_cast<std::size_t>(g.firstStart + p.start)] += static_cast<double>(p.agents);
        if (p.lunch >= 0) {
            const int after =
                file.types[static_cast<std::size_t>(g.type)].lunchAfter / grid.intervalMinutes;
            values[static_cast<std::size_t>(g.firstLunch + p.lunch - after)] +=
                static_cast<double>(p.agents);
        }
    }
    // A goal's agents on the phones: the whole part of their share of
    // those on duty (up to the curve's end), its steps taken in order.
    if (!model.goal.empty()) {
        const std::vector<long> onDuty = OnDuty(grid, file, model, placements);
        for (const GoalColumns& g : model.goal) {
            const double share = static_cast<double>(onDuty[static_cast<std::size_t>(g.slot)]) * model.onPhones;
            const long agents = std::min(static_cast<long>(std::floor(share + 1e-9)), g.low + g.steps);
            values[static_cast<std::size_t>(g.agents)] = static_cast<double>(agents);
            for (long k = 0; k < agents - g.low; ++k)
                values[static_cast<std::size_t>(g.firstStep + k)] = 1;
            values[static_cast<std::size_t>(g.onDuty)] = static_cast<double>(onDuty[static_cast<std::size_t>(g.slot)]);
            const long above = std::clamp(onDuty[static_cast<std::size_t>(g.slot)] - g.leastOnDuty, 0L,
                                          static_cast<long>(g.dutySteps));
            for (long k = 0; k < above; ++k)
                values[static_cast<std::size_t>(g.firstDutyStep + k)] = 1;
        }
    }
    if (!model.shortfallSlot.empty()) {
        const std::vector<long> onDuty = OnDuty(grid, file, model, placements);
        const auto first = static_cast<std::size_t>(model.shortfallFirst);
        for (std::size_t i = 0; i < model.shortfallSlot.size(); ++i) {
            const auto t = static_cast<std::size_t>(model.shortfallSlot[i]);
            values[first + i] = static_cast<double>(std::max(0L, grid.need[t] - onDuty[t]));
        }
    }
    return values;
}

std::optional<std::vector<Placement>> PlacementsOf(const ShiftFile& file, int intervalMinutes,
                                                   const ShiftModel& model,
                                                   const std::vector<double>& values) {
    const auto count = [&values](int column) {
        return std::max(0L, std::lround(values[static_cast<std::size_t>(column)]));
    };
    std::vector<Placement> placements;
    for (std::size_t gi = 0; gi < model.groups.size(); ++gi) {
        const StartGroup& g = model.groups[gi];
        const ShiftType& s = file.types[static_cast<std::size_t>(g.type)];
        if (s.lunch == 0) {
            for (int i = 0; i < g.starts; ++i)
                if (const long n = count(g.firstStart + i); n > 0)
                    placements.push_back({static_cast<int>(gi), i, -1, n});
            continue;
        }
        const int after = s.lunchAfter / intervalMinutes;
        const int before = s.lunchBefore / intervalMinutes;
        std::vector<long> lunches(static_cast<std::size_t>(g.lunches));
        for (int l = 0; l < g.lunches; ++l)
            lunches[static_cast<std::size_t>(l)] = count(g.firstLunch + l);
        // Windows move on with their starts, so the earliest lunch left
        // is always the one to give: a later start can take any later one.
        int l = 0;
        for (int i = 0; i < g.starts; ++i) {
            for (long n = count(g.firstStart + i); n > 0;) {
                l = std::max(l, i);  // lunch after + l is start i's earliest
                while (l < g.lunches && lunches[static_cast<std::size_t>(l)] == 0) ++l;
                if (l >= g.lunches || l > i + before - after) return std::nullopt;
                const long take = std::min(n, lunches[static_cast<std::size_t>(l)]);
                placements.push_back({static_cast<int>(gi), i, after + l, take});
                lunches[static_cast<std::size_t>(l)] -= take;
                n -= take;
            }
        }
        if (std::any_of(lunches.begin(), lunches.end(), [](long z) { return z != 0; }))
            return std::nullopt;
    }
    return placements;
}

std::vector<long> OnDuty(const ShiftGrid& grid, const ShiftFile& file, const ShiftModel& model,
                         const std::vector<Placement>& placements) {
    std::vector<long> onDuty(static_cast<std::size_t>(grid.Slots()));
    for (const Placement& p : placements) {
        const StartGroup& g = model.groups[static_cast<std::size_t>(p.group)];
        AddOnDuty(grid, file.types[static_cast<std::size_t>(g.type)], g, p, onDuty);
    }
    return onDuty;
}

}  // namespace corvane::shifts
