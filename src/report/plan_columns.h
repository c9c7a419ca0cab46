#pragma once

#include <string>
#include <vector>

#include "plan/interval_plan.h"
#include "plan/plan_options.h"

namespace corvane::report {

// The columns of a planned interval, as the CSV plan and the window's table
// give them.
enum class PlanColumn {
    Interval,
    Calls,
    Talk,
    Acw,
    Erlangs,
    Agents,
    Wait,
    ServiceLevel,
    Asa,
    Occupancy,
    Abandon,   // Erlang A only
    Scheduled,
    OnDuty,    // with a shift plan only
    AchievedServiceLevel,  // with a shift plan only: what its agents on duty reach
    AchievedAsa,
    AchievedAbandon,       // and Erlang A
    Status,
};

// The columns a plan with these options has, in order.
std::vector<PlanColumn> PlanColumns(const plan::PlanOptions& options, bool onDuty);

// The CSV header's name: "service_level".
const char* ColumnName(PlanColumn column);

// The column as a person reads it, "Service level", and the unit of its
// figures, "%" ("" for none).
const char* ColumnCaption(PlanColumn column);
const char* ColumnUnit(PlanColumn column);

// Appends one cell as the CSV writes it, before any quoting: fixed
// decimals with ".", shares in percent, empty where there is no value.
void AppendCell(std::string& out, const plan::IntervalPlan& p, PlanColumn column);

// Fixed decimals with "." whatever the process locale.
void AppendFixed(std::string& out, double value, int decimals);

// A figure as read, with up to two decimals: "120", "120.4", "241.67".
void AppendFigure(std::string& out, double value);

}  // namespace corvane::report
