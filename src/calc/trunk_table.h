#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calc/number_marks.h"

namespace corvane {

// Items 1 to 4 of the trunk table; the first ends in CR LF.
std::vector<std::string> TrunkTableHeadItems();

// One computed group: group number (index + 1), Erlangs, % busy, trunks.
std::string FormatTrunkGroupLine(int groupIndex, double erlangs, std::int16_t busy,
                                 std::int16_t trunks, const NumberMarks& marks = {});

// The item that closes the table: CR LF alone.
std::string TrunkTableLastItem();

}  // namespace corvane
