// The shifts file: any bytes are shift types or refused with a message
// naming the file, never a crash; what is read is within its stated
// bounds, and any hourly shift types plan a day (short where they must be).
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>

#include "shifts/shift_file.h"
#include "shifts/shift_plan.h"

namespace {

void Require(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    plan::TextSource source(std::string_view(reinterpret_cast<const char*>(data), size), 13);
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
    if (!shifts::CheckShiftTimes(read.Value(), 60) || read.Value().types.size() > 8) return 0;
    std::vector<shifts::Demand> day;
    for (int hour = 6; hour < 22; ++hour)
        day.push_back({std::to_string(hour), hour - 4, std::nullopt, hour * 60, 1L + hour % 3});
    const auto planned = shifts::PlanShifts(day, 60, "day.csv", read.Value(), {0.2, true});
    Require(planned && planned.Value().onDuty.size() == day.size());
    return 0;
}
