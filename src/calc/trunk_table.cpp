#include "calc/trunk_table.h"

#include "calc/number_format.h"

namespace corvane {

std::vector<std::string> TrunkTableHeadItems() {
    return {
        "Trunks Required per Group for Erlangs and % Busy Signals Allowable\r\n",
        "        Traffic in    % Busy      Trunks",
        "Group     Erlangs    Allowable   Required",
        "=====     =======    =========   ========",
    };
}

std::string FormatTrunkGroupLine(int groupIndex, double erlangs, std::int16_t busy,
                                 std::int16_t trunks, const NumberMarks& marks) {
    std::string line = "   ";
    line += RightAlignInField(FormatNumber(groupIndex + 1, "0", marks).Value(), FieldWidth("0"));
    line += "     ";
    line +=
        RightAlignInField(FormatNumber(erlangs, "#,##0.0", marks).Value(), FieldWidth("0,000.0"));
    line += "           ";
    line += RightAlignInField(FormatNumber(busy, "#0", marks).Value(), FieldWidth("00"));
    line += "      ";
    line += RightAlignInField(FormatNumber(trunks, "#,##0", marks).Value(), FieldWidth("0,000"));
    return line;
}

std::string TrunkTableLastItem() { return "\r\n"; }

}  // namespace corvane
