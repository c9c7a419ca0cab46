#include "report/plan_columns.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace corvane::report {

std::vector<PlanColumn> PlanColumns(const plan::PlanOptions& options, bool onDuty) {
    using C = PlanColumn;
    std::vector<C> out{C::Interval, C::Calls, C::Talk,         C::Acw, C::Erlangs,
                       C::Agents,   C::Wait,  C::ServiceLevel, C::Asa, C::Occupancy};
    if (options.patience) out.push_back(C::Abandon);
    out.push_back(C::Scheduled);
    if (onDuty) {
        out.insert(out.end(), {C::OnDuty, C::AchievedServiceLevel, C::AchievedAsa});
        if (options.patience) out.push_back(C::AchievedAbandon);
    }
    out.push_back(C::Status);
    return out;
}

const char* ColumnName(PlanColumn column) {
    switch (column) {
        case PlanColumn::Interval: return "interval";
        case PlanColumn::Calls: return "calls";
        case PlanColumn::Talk: return "talk";
        case PlanColumn::Acw: return "acw";
        case PlanColumn::Erlangs: return "erlangs";
        case PlanColumn::Agents: return "agents";
        case PlanColumn::Wait: return "wait";
        case PlanColumn::ServiceLevel: return "service_level";
        case PlanColumn::Asa: return "asa";
        case PlanColumn::Occupancy: return "occupancy";
        case PlanColumn::Abandon: return "abandon";
        case PlanColumn::Scheduled: return "scheduled";
        case PlanColumn::OnDuty: return "on_duty";
        case PlanColumn::AchievedServiceLevel: return "achieved_service_level";
        case PlanColumn::AchievedAsa: return "achieved_asa";
        case PlanColumn::AchievedAbandon: return "achieved_abandon";
        case PlanColumn::Status: return "status";
    }
    return "";
}

const char* ColumnCaption(PlanColumn column) {
    switch (column) {
        case PlanColumn::Interval: return "Interval";
        case PlanColumn::Calls: return "Calls";
        case PlanColumn::Talk: return "Talk";
        case PlanColumn::Acw: return "ACW";
        case PlanColumn::Erlangs: return "Erlangs";
        case PlanColumn::Agents: return "Agents";
        case PlanColumn::Wait: return "P(wait)";
        case PlanColumn::ServiceLevel: return "Service level";
        case PlanColumn::Asa: return "ASA";
        case PlanColumn::Occupancy: return "Occupancy";
        case PlanColumn::Abandon: return "Abandoned";
        case PlanColumn::Scheduled: return "Scheduled";
        case PlanColumn::OnDuty: return "On duty";
        case PlanColumn::AchievedServiceLevel: return "Achieved service level";
        case PlanColumn::AchievedAsa: return "Achieved ASA";
        case PlanColumn::AchievedAbandon: return "Achieved abandoned";
        case PlanColumn::Status: return "Status";
    }
    return "";
}

const char* ColumnUnit(PlanColumn column) {
    switch (column) {
        case PlanColumn::Talk:
        case PlanColumn::Acw:
        case PlanColumn::Asa:
        case PlanColumn::AchievedAsa: return "s";
        case PlanColumn::Wait:
        case PlanColumn::ServiceLevel:
        case PlanColumn::Occupancy:
        case PlanColumn::Abandon:
        case PlanColumn::AchievedServiceLevel:
        case PlanColumn::AchievedAbandon: return "%";
        default: return "";
    }
}

namespace {

// x = m * 2^-s with m a whole number below 2^53, when x is positive and
// below 2^53 (the plan's figures always are): read from its bits.
bool SplitBinary(double x, std::uint64_t& m, int& s) {
    if (!(x > 0) || !(x < 0x1p53)) return false;
    std::uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    const int biased = static_cast<int>(bits >> 52);  // the sign bit is clear
    m = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0) {  // subnormal: m * 2^-1074
        s = 1074;
    } else {
        m |= std::uint64_t{1} << 52;
        s = 1075 - biased;
    }
    return true;
}

}  // namespace

void AppendFixed(std::string& out, double value, int decimals) {
    // The common case in whole-number arithmetic: the value times 10^d is
    // m * 10^d / 2^s exactly, rounded half to even as std::to_chars
    // rounds, at a tenth of its cost; a year's table has 200,000 cells.
    std::uint64_t m = 0;
    int s = 0;
    if (decimals >= 0 && decimals <= 3 && SplitBinary(std::fabs(value), m, s) && s > 0) {
        static constexpr std::uint64_t kPowers[] = {1, 10, 100, 1000};
        const std::uint64_t scaled = m * kPowers[decimals];  // below 2^63
        std::uint64_t whole = 0;
        if (s < 64) {
            whole = scaled >> s;
            const std::uint64_t rest = scaled & ((std::uint64_t{1} << s) - 1);
            const std::uint64_t half = std::uint64_t{1} << (s - 1);
            if (rest > half || (rest == half && (whole & 1))) ++whole;
        }  // else below a half: 0
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, whole).ptr;
        std::string_view text(digits, static_cast<std::size_t>(end - digits));
        if (std::signbit(value)) out += '-';
        const auto d = static_cast<std::size_t>(decimals);
        if (text.size() <= d) {
            out += "0.";
            out.append(d - text.size(), '0');
            out += text;
        } else {
            out += text.substr(0, text.size() - d);
            if (d > 0) {
                out += '.';
                out += text.substr(text.size() - d);
            }
        }
        return;
    }
    char buf[400];  // the largest double has 309 digits
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (res.ec == std::errc()) out.append(buf, res.ptr);
}

void AppendFigure(std::string& out, double value) {
    const std::size_t start = out.size();
    AppendFixed(out, value, 2);
    while (out.back() == '0') out.pop_back();
    if (out.back() == '.') out.pop_back();
    if (out.size() == start) out += '0';
}

void AppendCell(std::string& out, const plan::IntervalPlan& p, PlanColumn column) {
    const bool computed = p.status != plan::IntervalStatus::OutsideRange;
    const auto share = [&](double fraction) {
        if (p.measures) AppendFixed(out, fraction * 100.0, 2);
    };
    const auto count = [&](bool known, long n) {
        if (known) AppendFixed(out, static_cast<double>(n), 0);
    };
    switch (column) {
        case PlanColumn::Interval: out += p.input.label; break;
        case PlanColumn::Calls: AppendFigure(out, p.input.calls); break;
        case PlanColumn::Talk: AppendFigure(out, p.input.talk); break;
        case PlanColumn::Acw: AppendFigure(out, p.input.acw); break;
        case PlanColumn::Erlangs: AppendFixed(out, p.erlangs, 3); break;
        case PlanColumn::Agents: count(computed, p.agents); break;
        case PlanColumn::Wait: share(p.measures ? p.measures->wait : 0); break;
        case PlanColumn::ServiceLevel: share(p.measures ? p.measures->serviceLevel : 0); break;
        case PlanColumn::Asa:
            if (p.measures) AppendFixed(out, p.measures->asa, 2);
            break;
        case PlanColumn::Occupancy: share(p.measures ? p.measures->occupancy : 0); break;
        case PlanColumn::Abandon:
            if (p.measures && p.measures->abandon) AppendFixed(out, *p.measures->abandon * 100.0, 2);
            break;
        case PlanColumn::Scheduled: count(computed, p.scheduled); break;
        case PlanColumn::OnDuty: count(p.onDuty.has_value(), p.onDuty.value_or(0)); break;
        case PlanColumn::AchievedServiceLevel:
            if (p.achieved) AppendFixed(out, p.achieved->serviceLevel * 100.0, 2);
            break;
        case PlanColumn::AchievedAsa:
            if (p.achieved && std::isfinite(p.achieved->asa)) AppendFixed(out, p.achieved->asa, 2);
            break;
        case PlanColumn::AchievedAbandon:
            if (p.achieved && p.achieved->abandon) AppendFixed(out, *p.achieved->abandon * 100.0, 2);
            break;
        case PlanColumn::Status: out += plan::StatusText(p.status); break;
    }
}

}  // namespace corvane::report
