// The shifts file: any bytes are shift types or refused with a message
// naming the file, never a crash; what is read is within its stated
// bounds, and any that fit the interval plan a day (short where they must
// be).
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>

#include "input/label_time.h"
#include "shifts/shift_file.h"
#include "shifts/shift_plan.h"

namespace {

void Require(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

// The first byte chooses the plan's interval length (one that does not
// divide the day among them), the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    if (size == 0) return 0;
    constexpr int kIntervals[] = {60, 30, 15, 7, 45};
    const int interval = kIntervals[data[0] % 5];
    input::TextSource source(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1), 13);
    const auto read = shifts::ReadShiftFile(source, "shifts.csv");
    if (!read) {
        Require(read.Error().message.rfind("shifts.csv", 0) == 0);
        return 0;
    }
    std::set<std::string> names;
    for (const shifts::ShiftType& s : read.Value().types) {
        Require(names.insert(s.name).second && !s.name.empty());
        Require(s.length > 0 && s.length <= 1440);
        Require(0 <= s.earliest && s.earliest <= s.latest && s.latest < 1440);
        Require(s.cost > 0 && s.PaidMinutes() > 0);
        if (s.lunch > 0)
            Require(0 < s.lunchAfter && s.lunchAfter <= s.lunchBefore &&
                    s.lunchBefore + s.lunch <= s.length);
    }
    if (!shifts::CheckShiftTimes(read.Value(), interval) || read.Value().types.size() > 8) return 0;
    // A day from 06:00 to midnight, every interval needing 1 to 3 agents.
    std::vector<shifts::Demand> day;
    for (int minute = 360 / interval * interval; minute < 1440; minute += interval)
        day.push_back({std::to_string(minute), static_cast<int>(day.size()) + 2, std::nullopt,
                       minute, 1L + minute / interval % 3});
    const auto planned = shifts::PlanShifts(day, interval, "day.csv", read.Value(), {0.2, true, {}});
    // Shortfalls allowed, every interval that divides the day gets a plan.
    if (1440 % interval != 0)
        Require(!planned && planned.Error().message.rfind("day.csv: ", 0) == 0);
    else
        Require(planned && planned.Value().onDuty.size() == day.size());
    // Two dated days for their service level over each day: a plan that
    // reaches it (each day alone where no shift runs past midnight), or a
    // refusal naming the file, the goal or the interval.
    if (1440 % interval != 0) return 0;
    std::vector<shifts::Demand> days;
    const std::int32_t monday = input::DayNumber({2027, 3, 1});
    for (std::int32_t d = 0; d < 2; ++d)
        for (shifts::Demand x : day) {
            x.day = monday + d;
            x.line = static_cast<int>(days.size()) + 2;
            x.label = input::DateText(monday + d) + " " + x.label;
            x.calls = static_cast<double>(x.agents) * 10 * (d + 1);
            x.handle = 180;
            days.push_back(x);
        }
    shifts::ShiftOptions goal{0.2, false, {}};
    goal.goal = shifts::ShiftGoal::Day;
    goal.plan.intervalMinutes = interval;
    goal.plan.shrinkage = plan::Decimal{30, 0};
    const auto overDay = shifts::PlanShifts(days, interval, "days.csv", read.Value(), goal);
    Require(overDay ? overDay.Value().onDuty.size() == days.size()
                    : (overDay.Error().message.rfind("days.csv", 0) == 0 ||
                       overDay.Error().message.rfind("shifts.csv", 0) == 0 ||
                       overDay.Error().message.rfind("--shift-goal", 0) == 0));
    return 0;
}
