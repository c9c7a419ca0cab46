#pragma once

#include <cstdint>
#include <vector>

#include "calc/calc_error.h"
#include "calc/staffing_engine.h"

// The staffing engine run for four figures: the rows it gave, and the
// run-time error number it stopped with (0 when none).
namespace corvane::testing {

struct EngineRun {
    std::vector<StaffingRow> rows;
    int error = 0;
};

inline EngineRun RunEngine(int talk, int acw, int calls, int slo) {
    EngineRun run;
    const auto computed =
        ComputeStaffingRows({static_cast<std::int16_t>(talk), static_cast<std::int16_t>(acw), calls,
                             static_cast<std::int16_t>(slo)},
                            [&](const StaffingRow& r) { run.rows.push_back(r); });
    if (!computed) run.error = computed.Error();
    return run;
}

}  // namespace corvane::testing
