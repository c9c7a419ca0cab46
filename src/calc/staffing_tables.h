#pragma once

#include <string>
#include <vector>

#include "calc/number_marks.h"
#include "calc/staffing_engine.h"

namespace corvane {

// The four field texts as typed; the head lines echo them unchanged.
struct StaffingEcho {
    std::string talk;
    std::string acw;
    std::string calls;
    std::string slo;
};

// Seven head lines of the staffing table.
std::vector<std::string> StaffingHeadLines(const StaffingEcho& echo);
// Eight head lines of the delay table.
std::vector<std::string> DelayHeadLines(const StaffingEcho& echo);

std::string FormatStaffingLine(const StaffingRow& row, const NumberMarks& marks = {});
std::string FormatDelayLine(const StaffingRow& row, const NumberMarks& marks = {});

}  // namespace corvane
