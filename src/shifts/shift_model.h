#pragma once

#include <vector>

#include "shifts/service_curve.h"
#include "shifts/shift_grid.h"
#include "shifts/shift_type.h"

namespace corvane::shifts {

// The starts of one shift type on one day, every interval from its earliest
// to its latest, and (for a shift with a lunch) the slots its lunches may
// start in: from the first start's earliest lunch to the last start's
// latest.
struct StartGroup {
    int type = 0;
    int day = 0;
    long firstSlot = 0;   // of the first start; later slots may lie past the grid's end
    int firstStart = 0;   // its column
    int starts = 0;
    int firstLunch = -1;  // its column; -1 without a lunch
    int lunches = 0;
};

// A service level to reach over each day or week rather than in every
// interval: the slots with calls, each with its curve and its period (the
// day or week it counts towards), the share of agents on the phones and
// the target (fractions).
struct GoalSlot {
    int slot = 0;
    double calls = 0;
    ServiceCurve curve;
    int period = 0;
    // Per point of the curve, the least agents on duty that put that many
    // on the phones by the shrinkage rule.
    std::vector<long> onDuty;
};
struct ServiceGoal {
    std::vector<GoalSlot> intervals;
    int periods = 0;
    double onPhones = 1;
    double target = 0.8;
};

// A goal slot's columns: its agents on the phones (a whole number, at most
// onPhones times those on duty) and the steps of its curve taken (each 0 to
// 1), their sum the agents above the curve's low.
struct GoalColumns {
    int slot = 0;
    int day = 0;        // of the grid
    int agents = 0;     // column
    int firstStep = 0;  // column
    int steps = 0;
    long low = 0;
    // The bound on its service level by agents on duty: one column per
    // agent on duty above the least (each 0 to 1).
    int onDuty = 0;  // column
    int firstDutyStep = 0;
    int dutySteps = 0;
    long leastOnDuty = 0;
};

// The shift plan as an integer program: how many agents take each start
// and how many begin their lunch in each slot, at the least cost in paid
// hours, with at least the agents needed on duty in every slot. Lunches
// are placed implicitly: per group, as many lunches as starts, and for
// every start j, the agents of starts up to j have lunches up to j's
// latest, those of starts from j on lunches from j's earliest (a chain of
// running surpluses keeps each of these rows short). That is exactly
// when every agent can be given a lunch in his own start's window.
// Columns: starts and lunches (integer), the surpluses, then (when short
// slots are allowed) one shortfall per covered slot at a cost no shift
// undercuts.
struct ShiftModel {
    std::vector<StartGroup> groups;
    int integerColumns = 0;
    int shortfallFirst = 0;
    std::vector<int> shortfallSlot;  // per shortfall column, from shortfallFirst
    // Slots that need agents and that no start can cover: no shift runs
    // through them, or every lunch its window allows falls on them.
    std::vector<int> uncoverable;
    // With a goal: its columns, the share on the phones, and the upper
    // bound of every column (empty: none bounded).
    std::vector<GoalColumns> goal;
    double onPhones = 1;
    std::vector<double> upper;

    // Column-major, as the solver loads it.
    std::vector<int> columnStart{0};
    std::vector<int> rowIndex;
    std::vector<double> value;
    std::vector<double> cost;  // every column is 0 or more, without an upper bound
    std::vector<double> rowLower;
    std::vector<double> rowUpper;

    int Columns() const { return static_cast<int>(cost.size()); }
    int Rows() const { return static_cast<int>(rowLower.size()); }
    int IntegerColumns() const { return integerColumns; }
    // The cost of a solution, per column.
    double CostOf(const std::vector<double>& values) const {
        double sum = 0;
        for (std::size_t c = 0; c < values.size(); ++c) sum += cost[c] * values[c];
        return sum;
    }
};

// The size of the program BuildModel would make, counted without making
// it, so that one too large to solve is refused first.
struct ModelSize {
    double columns = 0;               // starts and lunches to choose
    double entries = 0;               // of its matrix
    std::vector<double> typeColumns;  // per shift type
};
ModelSize MeasureModel(const ShiftGrid& grid, const ShiftFile& file);

// Builds the program for `grid`. With `allowShort` a slot may be left
// short, at a cost; without it the slots that need agents must have them.
// With a `goal`, the slots with calls need the agents on the phones their
// curves start from, and each period the service level of its calls.
ShiftModel BuildModel(const ShiftGrid& grid, const ShiftFile& file, bool allowShort,
                      const ServiceGoal* goal = nullptr);

// Whether a shift of `type` can work the slot `offset` slots after its
// start: some lunch its window allows leaves that slot free.
bool CanWork(const ShiftType& type, int intervalMinutes, int offset);

}  // namespace corvane::shifts
