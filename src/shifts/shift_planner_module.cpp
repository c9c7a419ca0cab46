// The entry of the module corvane-plan loads to plan shifts.
#include "shifts/shift_plan.h"

extern "C" __attribute__((visibility("default"))) corvane::shifts::PlanShiftsFunction
CorvaneShiftPlanner() {
    return &corvane::shifts::PlanShifts;
}
