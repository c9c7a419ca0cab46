#include "shifts/shift_grid.h"

#include <algorithm>

#include "input/csv_records.h"
#include "input/text_check.h"

namespace corvane::shifts {

Demand DemandOf(const plan::IntervalPlan& p) {
    const bool computed = p.status != plan::IntervalStatus::OutsideRange;
    return {p.input.label, p.input.line, p.input.day, p.input.minute, computed ? p.scheduled : 0,
            p.input.calls, p.input.talk + p.input.acw};
}

namespace {

// Longer forecasts are not planned into shifts: the program's chart and
// totals handle ten years, a solver a few months at most.
constexpr int kMaxDays = 3660;

input::PlanFault Fault(const std::string& file, const Demand& d, const std::string& why) {
    return {input::PlanFault::Kind::BadInput,
            input::Where(file, d.line) + "'" + input::Printable(d.label) + "' " + why};
}

}  // namespace

int ShiftGrid::Wrap(long slot) const {
    const long slots = Slots();
    if (slot < slots) return static_cast<int>(slot);
    return cyclic ? static_cast<int>(slot % slots) : -1;
}

Result<ShiftGrid, input::PlanFault> LayGrid(const std::vector<Demand>& demand,
                                           int intervalMinutes, const std::string& fileName) {
    // A day of whole intervals, so a start at the same time of day is the
    // same slot of every day.
    if (intervalMinutes <= 0 || 24 * 60 % intervalMinutes != 0)
        return Fail(input::PlanFault{
            input::PlanFault::Kind::BadInput,
            fileName + ": the intervals are " + std::to_string(intervalMinutes) +
                " minutes long; shifts are planned on intervals that divide the day (such as "
                "15, 30 or 60 minutes)"});
    ShiftGrid grid;
    grid.intervalMinutes = intervalMinutes;
    grid.slotsPerDay = 24 * 60 / intervalMinutes;
    std::vector<long> dayOf(demand.size());
    const bool dated = !demand.empty() && demand.front().day.has_value();
    long day = 0;
    int previous = -1;
    for (std::size_t i = 0; i < demand.size(); ++i) {
        const Demand& d = demand[i];
        if (!d.minute)
            return Fail(Fault(fileName, d,
                              "has no time of day: shifts need intervals with times (a time, "
                              "interval or datetime column)"));
        if (*d.minute % intervalMinutes != 0)
            return Fail(Fault(fileName, d,
                              "does not begin on a " + std::to_string(intervalMinutes) +
                                  "-minute boundary of the day, where shifts start"));
        if (dated != d.day.has_value())
            return Fail(Fault(fileName, d, "is dated where other intervals are not, or not where they are"));
        if (dated) {
            if (!grid.firstDay || *d.day < *grid.firstDay) grid.firstDay = *d.day;
        } else if (*d.minute <= previous) {
            ++day;
        }
        previous = *d.minute;
        dayOf[i] = dated ? *d.day : day;
    }
    const long first = dated ? *grid.firstDay : 0;
    const long last = demand.empty() ? 0 : *std::max_element(dayOf.begin(), dayOf.end());
    if (last - first + 1 > kMaxDays)
        return Fail(input::PlanFault{input::PlanFault::Kind::BadInput,
                                    fileName + ": more than " + std::to_string(kMaxDays) +
                                        " days to plan shifts for"});
    grid.days = static_cast<int>(last - first + 1);
    grid.cyclic = dated && grid.days % 7 == 0;
    grid.need.assign(static_cast<std::size_t>(grid.Slots()), 0);
    std::vector<bool> taken(grid.need.size());
    grid.slotOfDemand.resize(demand.size());
    for (std::size_t i = 0; i < demand.size(); ++i) {
        const long slot = (dayOf[i] - first) * grid.slotsPerDay + *demand[i].minute / intervalMinutes;
        const auto at = static_cast<std::size_t>(slot);
        if (taken[at]) return Fail(Fault(fileName, demand[i], "is given twice"));
        taken[at] = true;
        grid.need[at] = std::max(0L, demand[i].agents);
        grid.slotOfDemand[i] = static_cast<int>(slot);
    }
    return grid;
}

}  // namespace corvane::shifts
