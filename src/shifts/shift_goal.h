#pragma once

namespace corvane::shifts {

// What the shifts must reach: the agents scheduled in every interval, or
// the service level over each day or calendar week.
enum class ShiftGoal { Interval, Day, Week };

inline const char* ShiftGoalText(ShiftGoal goal) {
    switch (goal) {
        case ShiftGoal::Day: return "day";
        case ShiftGoal::Week: return "week";
        default: return "interval";
    }
}

}  // namespace corvane::shifts
