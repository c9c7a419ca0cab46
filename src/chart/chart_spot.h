#pragma once

#include <QPointF>
#include <QSize>

#include <cstddef>
#include <cstdint>
#include <optional>

#include "input/chart_data.h"

namespace corvane::chart {

// What a point of a drawn chart stands for: an interval of the line chart
// (its first, where neighbours were merged), or a day and time of day of
// the heat map.
struct ChartSpot {
    std::optional<std::size_t> interval;
    std::optional<std::int32_t> day;
    int minute = 0;
};

// The spot under `at`, a point on the chart's `page`; none off the plot.
std::optional<ChartSpot> SpotAt(const input::ChartData& data, QPointF at, QSize page);

}  // namespace corvane::chart
