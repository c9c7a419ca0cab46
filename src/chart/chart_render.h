#pragma once

#include <QByteArray>

#include "input/chart_data.h"

namespace corvane::chart {

inline constexpr int kChartWidth = 1200;
inline constexpr int kChartHeight = 600;

// Draws a plan: for up to two weeks agents required and scheduled per
// interval as steps, ticks on hours or day starts; from fifteen days on a
// heat map, one row per day and one column per time of day, the colour the
// agents required. Needs a QGuiApplication (the offscreen platform will
// do). Empty when it cannot be drawn.
QByteArray RenderChart(const input::ChartData& data, input::ChartFormat format);

}  // namespace corvane::chart
