#include "shifts/shift_model.h"

#include <limits>

#include "input/label_time.h"

namespace corvane::shifts {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Rows are numbered as they are made; columns are appended whole.
class Builder {
public:
    explicit Builder(ShiftModel& m) : m_(m) {}

    int Row(double lower, double upper) {
        m_.rowLower.push_back(lower);
        m_.rowUpper.push_back(upper);
        return m_.Rows() - 1;
    }
    void Entry(int row, double value) {
        if (row < 0) return;
        m_.rowIndex.push_back(row);
        m_.value.push_back(value);
    }
    void EndColumn(double cost) {
        m_.cost.push_back(cost);
        m_.columnStart.push_back(static_cast<int>(m_.rowIndex.size()));
    }

private:
    ShiftModel& m_;
};

// A group's rows: its lunches tied to its starts, and its limit.
struct GroupRows {
    int equal = -1;
    int forward = -1;   // rows 0 .. starts-2
    int backward = -1;  // rows for starts 1 .. starts-1
    int max = -1;
};

// The least concave function at or above an interval's service level as
// a function of its agents on duty (a staircase: the level of the agents
// the shrinkage rule puts on the phones), as its increments per agent on
// duty from the least. Its corners are the stairs' left ends.
std::vector<double> DutyIncrements(const GoalSlot& g) {
    std::vector<std::size_t> hull;
    for (std::size_t k = 0; k < g.onDuty.size(); ++k) {  // onDuty rises strictly
        while (hull.size() >= 2) {
            const std::size_t a = hull[hull.size() - 2];
            const std::size_t b = hull.back();
            // b is under the line from a to k: not a corner
            const double left = (g.curve.level[b] - g.curve.level[a]) *
                                static_cast<double>(g.onDuty[k] - g.onDuty[a]);
            const double right = (g.curve.level[k] - g.curve.level[a]) *
                                 static_cast<double>(g.onDuty[b] - g.onDuty[a]);
            if (left > right) break;
            hull.pop_back();
        }
        hull.push_back(k);
    }
    std::vector<double> increments;
    for (std::size_t h = 1; h < hull.size(); ++h) {
        const std::size_t a = hull[h - 1];
        const std::size_t b = hull[h];
        const long width = g.onDuty[b] - g.onDuty[a];
        const double each = (g.curve.level[b] - g.curve.level[a]) / static_cast<double>(width);
        for (long i = 0; i < width; ++i) increments.push_back(each);
    }
    return increments;
}

}  // namespace

bool CanWork(const ShiftType& type, int intervalMinutes, int offset) {
    if (type.lunch == 0) return true;
    const int a = type.lunchAfter / intervalMinutes;
    const int b = type.lunchBefore / intervalMinutes;
    const int lunch = type.lunch / intervalMinutes;
    // Every lunch covers the slot when even the latest starts by it and
    // even the earliest lasts past it.
    return !(offset >= b && offset < a + lunch);
}

ModelSize MeasureModel(const ShiftGrid& grid, const ShiftFile& file) {
    const int step = grid.intervalMinutes;
    ModelSize size;
    size.typeColumns.assign(file.types.size(), 0);
    for (int day = 0; day < grid.days; ++day) {
        const int weekday = grid.firstDay ? input::Weekday(*grid.firstDay + day) : -1;
        for (std::size_t type = 0; type < file.types.size(); ++type) {
            const ShiftType& s = file.types[type];
            if (weekday >= 0 && !s.days.test(static_cast<std::size_t>(weekday))) continue;
            const double starts = (s.latest - s.earliest) / step + 1;
            const double lunches =
                s.lunch > 0 ? starts + (s.lunchBefore - s.lunchAfter) / step : 0;
            size.typeColumns[type] += starts + lunches;
            size.columns += starts + lunches;
            size.entries += starts * (s.length / step + 4) + lunches * (s.lunch / step + 4);
        }
    }
    size.entries += grid.Slots();
    return size;
}

ShiftModel BuildModel(const ShiftGrid& grid, const ShiftFile& file, bool allowShort,
                      const ServiceGoal* goal) {
    ShiftModel m;
    Builder b(m);
    const int step = grid.intervalMinutes;
    std::vector<int> coverRow(static_cast<std::size_t>(grid.Slots()), -1);
    // With a goal the cover rows count the agents on duty into a column of
    // their own (the shifts less that column = 0), which ties those on the
    // phones to them (onPhones x on duty - on the phones >= 0) and bounds
    // the interval's service level (below).
    std::vector<int> tieRow;
    std::vector<int> phonesRow;
    std::vector<int> dutyRow;
    std::vector<int> linkRow;
    std::vector<int> periodRow;
    if (goal) {
        m.onPhones = goal->onPhones;
        std::vector<double> owed(static_cast<std::size_t>(goal->periods));
        for (const GoalSlot& g : goal->intervals) {
            coverRow[static_cast<std::size_t>(g.slot)] = b.Row(0, 0);
            owed[static_cast<std::size_t>(g.period)] += g.calls * (goal->target - g.curve.level.front());
        }
        for (const GoalSlot& g : goal->intervals) {
            const double low = static_cast<double>(g.curve.low);
            tieRow.push_back(b.Row(low, low));
            phonesRow.push_back(b.Row(0, kInfinity));
            dutyRow.push_back(b.Row(static_cast<double>(g.onDuty.front()), kInfinity));
            linkRow.push_back(b.Row(-kInfinity, 0));
        }
        for (const double o : owed) periodRow.push_back(b.Row(o, kInfinity));
    } else {
        for (int t = 0; t < grid.Slots(); ++t)
            if (const long need = grid.need[static_cast<std::size_t>(t)]; need > 0)
                coverRow[static_cast<std::size_t>(t)] = b.Row(static_cast<double>(need), kInfinity);
    }
    const auto rowOf = [&](long slot) {
        const int t = grid.Wrap(slot);
        return t < 0 ? -1 : coverRow[static_cast<std::size_t>(t)];
    };

    std::vector<GroupRows> rows;
    for (int day = 0; day < grid.days; ++day) {
        const int weekday = grid.firstDay ? input::Weekday(*grid.firstDay + day) : -1;
        for (std::size_t type = 0; type < file.types.size(); ++type) {
            const ShiftType& s = file.types[type];
            if (weekday >= 0 && !s.days.test(static_cast<std::size_t>(weekday))) continue;
            StartGroup g;
            g.type = static_cast<int>(type);
            g.day = day;
            g.firstSlot = static_cast<long>(day) * grid.slotsPerDay + s.earliest / step;
            g.starts = (s.latest - s.earliest) / step + 1;
            GroupRows r;
            if (s.lunch > 0) {
                g.lunches = g.starts + (s.lunchBefore - s.lunchAfter) / step;
                r.equal = b.Row(0, 0);
                r.forward = m.Rows();
                for (int j = 0; j + 1 < g.starts; ++j) b.Row(0, 0);
                r.backward = m.Rows() - 1;  // so that start j's row is backward + j
                for (int j = 1; j < g.starts; ++j) b.Row(0, 0);
            }
            if (s.max) r.max = b.Row(-kInfinity, static_cast<double>(*s.max));
            m.groups.push_back(g);
            rows.push_back(r);
        }
    }

    std::vector<bool> covered(coverRow.size());
    for (std::size_t gi = 0; gi < m.groups.size(); ++gi) {
        StartGroup& g = m.groups[gi];
        const ShiftType& s = file.types[static_cast<std::size_t>(g.type)];
        const GroupRows& r = rows[gi];
        const int n = g.starts;
        g.firstStart = m.Columns();
        for (int i = 0; i < n; ++i) {
            for (int k = 0; k < s.length / step; ++k) {
                const int row = rowOf(g.firstSlot + i + k);
                if (row < 0) continue;
                b.Entry(row, 1);  // its lunch is taken off where it falls
                if (CanWork(s, step, k)) covered[static_cast<std::size_t>(grid.Wrap(g.firstSlot + i + k))] = true;
            }
            if (s.lunch > 0) {
                b.Entry(r.equal, 1);
                if (i + 1 < n) b.Entry(r.forward + i, 1);
                if (i >= 1) b.Entry(r.backward + i, 1);
            }
            b.Entry(r.max, 1);
            b.EndColumn(s.cost * s.PaidMinutes() / 60.0);
        }
        if (s.lunch == 0) continue;
        const int after = s.lunchAfter / step;
        const int before = s.lunchBefore / step;
        g.firstLunch = m.Columns();
        for (int l = 0; l < g.lunches; ++l) {
            const int k = after + l;  // slots from the first start
            for (int o = 0; o < s.lunch / step; ++o) b.Entry(rowOf(g.firstSlot + k + o), -1);
            b.Entry(r.equal, -1);
            if (const int j = std::max(0, k - before); j + 1 < n) b.Entry(r.forward + j, -1);
            if (const int j = std::min(n - 1, k - after); j >= 1) b.Entry(r.backward + j, -1);
            b.EndColumn(0);
        }
    }
    if (goal)
        for (std::size_t i = 0; i < goal->intervals.size(); ++i) {
            const GoalSlot& g = goal->intervals[i];
            GoalColumns c;
            c.slot = g.slot;
            c.day = g.slot / grid.slotsPerDay;
            c.agents = m.Columns();
            c.low = g.curve.low;
            c.steps = static_cast<int>(g.curve.level.size()) - 1;
            b.Entry(phonesRow[i], -1);
            b.Entry(tieRow[i], 1);
            b.EndColumn(0);
            m.goal.push_back(c);
        }
    m.integerColumns = m.Columns();
    // The running surpluses: forward, lunches up to j's latest less the
    // agents of starts up to j; backward, from j's earliest on.
    for (std::size_t gi = 0; gi < m.groups.size(); ++gi) {
        const StartGroup& g = m.groups[gi];
        const GroupRows& r = rows[gi];
        if (r.equal < 0) continue;
        for (int j = 0; j + 1 < g.starts; ++j) {
            b.Entry(r.forward + j, 1);
            if (j + 2 < g.starts) b.Entry(r.forward + j + 1, -1);
            b.EndColumn(0);
        }
        for (int j = 1; j < g.starts; ++j) {
            b.Entry(r.backward + j, 1);
            if (j - 1 >= 1) b.Entry(r.backward + j - 1, -1);
            b.EndColumn(0);
        }
    }

    // A goal's steps: each agent above a curve's low, worth its increment
    // of service level for the calls of its period.
    if (goal) {
        m.upper.assign(static_cast<std::size_t>(m.Columns()), kInfinity);
        for (std::size_t i = 0; i < goal->intervals.size(); ++i) {
            const GoalSlot& g = goal->intervals[i];
            m.goal[i].firstStep = m.Columns();
            for (std::size_t k = 1; k < g.curve.level.size(); ++k) {
                b.Entry(tieRow[i], -1);
                b.Entry(periodRow[static_cast<std::size_t>(g.period)],
                        g.calls * (g.curve.level[k] - g.curve.level[k - 1]));
                b.Entry(linkRow[i], g.curve.level[k] - g.curve.level[k - 1]);
                b.EndColumn(0);
                m.upper.push_back(1);
            }
        }
        // Each interval's agents on duty, a whole number as the shifts'
        // sum (so left continuous).
        for (std::size_t i = 0; i < goal->intervals.size(); ++i) {
            m.goal[i].onDuty = m.Columns();
            b.Entry(coverRow[static_cast<std::size_t>(goal->intervals[i].slot)], -1);
            b.Entry(phonesRow[i], goal->onPhones);
            b.Entry(dutyRow[i], 1);
            b.EndColumn(0);
            m.upper.push_back(kInfinity);
        }
        // Each interval's service level is at most the least concave
        // function above its staircase by agents on duty: a cut that
        // whole counts never violate, and that the relaxation, which puts
        // fractions of agents on the phones, otherwise ignores.
        for (std::size_t i = 0; i < goal->intervals.size(); ++i) {
            const GoalSlot& g = goal->intervals[i];
            const std::vector<double> increments = DutyIncrements(g);
            m.goal[i].firstDutyStep = m.Columns();
            m.goal[i].dutySteps = static_cast<int>(increments.size());
            m.goal[i].leastOnDuty = g.onDuty.front();
            for (const double d : increments) {
                b.Entry(dutyRow[i], -1);
                b.Entry(linkRow[i], -d);
                b.EndColumn(0);
                m.upper.push_back(1);
            }
        }
    }

    // A shortfall costs more than any one shift, which would remove it.
    double shortCost = 1;
    for (const ShiftType& s : file.types)
        shortCost = std::max(shortCost, 2 * s.cost * s.PaidMinutes() / 60.0 + 1);
    m.shortfallFirst = m.Columns();
    for (int t = 0; t < grid.Slots(); ++t) {
        const int row = coverRow[static_cast<std::size_t>(t)];
        if (row < 0) continue;
        if (!covered[static_cast<std::size_t>(t)]) m.uncoverable.push_back(t);
        if (!allowShort) continue;
        b.Entry(row, 1);
        b.EndColumn(shortCost);
        m.shortfallSlot.push_back(t);
        if (!m.upper.empty()) m.upper.push_back(kInfinity);
    }
    return m;
}

}  // namespace corvane::shifts
