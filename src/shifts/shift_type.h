#pragma once

#include <bitset>
#include <optional>
#include <string>
#include <vector>

namespace corvane::shifts {

// One kind of shift a planner may staff, as its file gives it; times in
// minutes.
struct ShiftType {
    std::string name;
    int line = 0;                // where the file gives it
    int length = 0;              // from start to end, lunch included
    int earliest = 0;            // first start, minutes after midnight
    int latest = 0;              // last start; starts every interval between
    std::bitset<7> days{0x7F};   // Monday first
    std::optional<long> max;     // most agents starting it on one day
    double cost = 1;             // per paid hour
    int lunch = 0;               // unpaid; 0 for none
    int lunchAfter = 0;          // the lunch starts this long after the start ...
    int lunchBefore = 0;         // ... and no later than this

    int PaidMinutes() const { return length - lunch; }
};

// The shifts file: where it came from and what it gives.
struct ShiftFile {
    std::string name;  // as messages name the file
    std::vector<ShiftType> types;
};

}  // namespace corvane::shifts
