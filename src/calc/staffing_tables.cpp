#include "calc/staffing_tables.h"

#include "calc/number_format.h"

namespace corvane {

namespace {

const NumberPattern kGrouped = ParsePattern("#,##0");
const NumberPattern kOneDecimal = ParsePattern("##0.0");
const NumberPattern kGroupedOneDecimal = ParsePattern("#,##0.0");
const NumberPattern kWhole3 = ParsePattern("##0");
const NumberPattern kWhole4 = ParsePattern("###0");

const std::size_t kAgentsWidth = FieldWidth("0,000");
const std::size_t kPercentWidth = FieldWidth("000.0");
const std::size_t kSecondsWidth = FieldWidth("0,000.0");
const std::size_t kShortPercentWidth = FieldWidth("000");
const std::size_t kTrunkLoadWidth = FieldWidth("000.00");
const std::size_t kCountWidth = FieldWidth("0000");

void AppendField(std::string& line, double value, const NumberPattern& pattern, std::size_t width,
                 const NumberMarks& marks) {
    std::string text;
    AppendFormattedNumber(text, value, pattern, marks);
    AppendRightAligned(line, text, width);
}

std::vector<std::string> EchoLines(const StaffingEcho& echo) {
    return {
        "Average Talk Time (Sec.)      : " + echo.talk,
        "After-Call Work Time (Sec.)   : " + echo.acw,
        "Calls per Half-Hour           : " + echo.calls,
        "Service Level Objective (Sec.): " + echo.slo,
        " ",
    };
}

}  // namespace

std::vector<std::string> StaffingHeadLines(const StaffingEcho& echo) {
    std::vector<std::string> lines = EchoLines(echo);
    lines.emplace_back("Agents   P(0)%    ASA    DLYDLY     Q1       Q2    SL%  OCC%   TKLD");
    lines.emplace_back("======   =====   =====    ====     ====     ====   ===  ====  ======");
    return lines;
}

std::vector<std::string> DelayHeadLines(const StaffingEcho& echo) {
    std::vector<std::string> lines = EchoLines(echo);
    lines.emplace_back("          |<=== Number of callers waiting longer than x seconds ===>|");
    lines.emplace_back("Agents SL%    5   10   15   20   30   40   50   60   90  120  180  240");
    lines.emplace_back("====== === ==== ==== ==== ==== ==== ==== ==== ==== ==== ==== ==== ====");
    return lines;
}

std::string FormatStaffingLine(const StaffingRow& row, const NumberMarks& marks) {
    std::string line;
    line.reserve(72);
    AppendField(line, row.N, kGrouped, kAgentsWidth, marks);
    line += "   ";
    AppendField(line, row.P0 * 100.0, kOneDecimal, kPercentWidth, marks);
    line += ' ';
    AppendField(line, row.ASA, kGroupedOneDecimal, kSecondsWidth, marks);
    line += ' ';
    AppendField(line, row.DLYDLY, kGroupedOneDecimal, kSecondsWidth, marks);
    line += "  ";
    AppendField(line, row.Q1, kGroupedOneDecimal, kSecondsWidth, marks);
    line += "  ";
    AppendField(line, row.Q2, kGroupedOneDecimal, kSecondsWidth, marks);
    line += "   ";
    AppendField(line, row.SL * 100.0, kWhole3, kShortPercentWidth, marks);
    line += "   ";
    AppendField(line, row.OCC * 100.0, kWhole3, kShortPercentWidth, marks);
    line += ' ';
    AppendField(line, row.TKLD, kGroupedOneDecimal, kTrunkLoadWidth, marks);
    return line;
}

std::string FormatDelayLine(const StaffingRow& row, const NumberMarks& marks) {
    std::string line;
    line.reserve(72);
    AppendField(line, row.N, kGrouped, kAgentsWidth, marks);
    line += ' ';
    AppendField(line, row.SL * 100.0, kWhole3, kShortPercentWidth, marks);
    for (double waiting : row.waiting) {
        line += ' ';
        AppendField(line, waiting, kWhole4, kCountWidth, marks);
    }
    return line;
}

}  // namespace corvane
