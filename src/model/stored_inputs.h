#pragma once

#include <array>
#include <cstdint>

#include "calc/staffing_engine.h"
#include "model/model_constants.h"

namespace corvane::model {

// The numbers the field checks stored; 0 until a field held an accepted
// entry. The calculations read only these, never the field texts.
struct StoredStaffing {
    std::int16_t talk = 0;
    std::int16_t acw = 0;
    std::int16_t calls = 0;
    std::int16_t slo = 0;

    StaffingInputs EngineInputs() const { return {talk, acw, calls, slo}; }
};

struct TrunkGroup {
    double erlangs = 0;
    std::int16_t busy = 0;
    std::int16_t trunks = 0;  // the last run's answer
};

using TrunkGroups = std::array<TrunkGroup, kTrunkGroups>;

}  // namespace corvane::model
