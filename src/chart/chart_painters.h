#pragma once

#include <QRect>
#include <vector>

#include <QPainter>

#include "input/chart_data.h"

namespace corvane::chart {

// The two drawings, each on a kChartWidth x kChartHeight white page with
// the title and the subtitle drawn.
void PaintLines(QPainter& painter, const input::ChartData& data);
void PaintHeatMap(QPainter& painter, const input::ChartData& data);

// Where each draws its intervals on the page: the line chart's plot; the
// heat map's one or two maps.
QRect LinePlotArea();
std::vector<QRect> HeatPlotAreas(const input::ChartData& data);

// Shared by both: the page, title and subtitle.
void PaintPage(QPainter& painter, const input::ChartData& data, const QString& title);

}  // namespace corvane::chart
