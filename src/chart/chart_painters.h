#pragma once

#include <QRect>
#include <vector>

#include <QPainter>

#include "chart/chart_render.h"
#include "input/chart_data.h"

namespace corvane::chart {

// The page a chart is drawn on, in units of which text takes 11 to 18: the
// files' fixed 1200 x 600, or the window's space at the window's type size.
inline QSize FilePage() { return {kChartWidth, kChartHeight}; }

// The two drawings, each on a white `page` with the title and the subtitle
// drawn.
void PaintLines(QPainter& painter, const input::ChartData& data, QSize page = FilePage());
void PaintHeatMap(QPainter& painter, const input::ChartData& data, QSize page = FilePage());

// Where each draws its intervals on the page: the line chart's plot; the
// heat map's one or two maps.
QRect LinePlotArea(QSize page = FilePage());
std::vector<QRect> HeatPlotAreas(const input::ChartData& data, QSize page = FilePage());

// Shared by both: the page, title and subtitle.
void PaintPage(QPainter& painter, const input::ChartData& data, const QString& title, QSize page);

}  // namespace corvane::chart
