#pragma once

#include <QByteArray>

#include "cli/plan_arguments.h"
#include "plan/day_plan.h"

namespace corvane::cli {

// Draws agents required and scheduled per interval as steps over the day,
// the interval labels along the bottom and the targets in the title.
// Needs a QGuiApplication (the offscreen platform will do).
QByteArray RenderChart(const plan::DayPlan& plan, ChartKind kind);

}  // namespace corvane::cli
