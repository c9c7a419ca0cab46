#pragma once

#include <optional>
#include <vector>

#include "shifts/shift_model.h"

namespace corvane::shifts {

// Agents of one start group taking one start and one lunch slot (both
// counted from the group's first start; -1 without a lunch).
struct Placement {
    int group = 0;
    int start = 0;
    int lunch = -1;
    long agents = 0;
};

// A plan found quickly, for the solver to start from and to fall back on:
// slot by slot, each short slot gets the start that covers it latest (so
// it covers most of what follows), its lunch as late as its window allows;
// passes repeat while lunches leave earlier slots short. Nothing when the
// `max` limits stop it (and shortfalls are not allowed).
std::optional<std::vector<Placement>> QuickPlacements(const ShiftGrid& grid, const ShiftFile& file,
                                                      const ShiftModel& model, bool allowShort);

// The placements as the model's column values.
std::vector<double> ColumnValues(const ShiftGrid& grid, const ShiftFile& file,
                                 const ShiftModel& model, const std::vector<Placement>& placements);

// The solver's counts as placements: each start's agents are given the
// earliest lunches left in their window, which the model's ties make
// enough. Nothing if they are not (counts not from the model).
std::optional<std::vector<Placement>> PlacementsOf(const ShiftFile& file, int intervalMinutes,
                                                   const ShiftModel& model,
                                                   const std::vector<double>& values);

// Agents on duty per slot: started, not yet ended, not at lunch.
std::vector<long> OnDuty(const ShiftGrid& grid, const ShiftFile& file, const ShiftModel& model,
                         const std::vector<Placement>& placements);

}  // namespace corvane::shifts
