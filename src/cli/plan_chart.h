#pragma once

#include <QByteArray>

#include "cli/plan_arguments.h"
#include "plan/chart_series.h"
#include "plan/plan_options.h"

namespace corvane::cli {

// Draws agents required and scheduled per interval as steps over the day,
// the interval labels along the bottom and the targets in the title.
// Needs a QGuiApplication (the offscreen platform will do).
QByteArray RenderChart(const plan::ChartSeries& series, const plan::PlanOptions& options,
                       ChartKind kind);

}  // namespace corvane::cli
