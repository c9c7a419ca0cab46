#include "plan/plan_columns.h"

#include <charconv>

namespace corvane::plan {

std::vector<PlanColumn> PlanColumns(const PlanOptions& options, bool onDuty) {
    using C = PlanColumn;
    std::vector<C> out{C::Interval, C::Calls, C::Talk,         C::Acw, C::Erlangs,
                       C::Agents,   C::Wait,  C::ServiceLevel, C::Asa, C::Occupancy};
    if (options.patience) out.push_back(C::Abandon);
    out.push_back(C::Scheduled);
    if (onDuty) out.push_back(C::OnDuty);
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
        case PlanColumn::Status: return "status";
    }
    return "";
}

void AppendFixed(std::string& out, double value, int decimals) {
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    out.append(buf, res.ptr);
}

void AppendFigure(std::string& out, double value) {
    const std::size_t start = out.size();
    AppendFixed(out, value, 2);
    while (out.back() == '0') out.pop_back();
    if (out.back() == '.') out.pop_back();
    if (out.size() == start) out += '0';
}

void AppendCell(std::string& out, const IntervalPlan& p, PlanColumn column) {
    const bool computed = p.status != IntervalStatus::OutsideRange;
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
        case PlanColumn::Status: out += StatusText(p.status); break;
    }
}

}  // namespace corvane::plan
