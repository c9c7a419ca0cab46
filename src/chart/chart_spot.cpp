#include "chart/chart_spot.h"

#include <cmath>

#include "chart/chart_painters.h"

namespace corvane::chart {

std::optional<ChartSpot> SpotAt(const input::ChartData& data, QPointF at, QSize page) {
    if (!data.HeatMap()) {
        const QRectF plot(LinePlotArea(page));
        if (!plot.contains(at) || data.points.empty()) return std::nullopt;
        const auto point = static_cast<std::size_t>(
            std::floor((at.x() - plot.left()) / plot.width() *
                       static_cast<double>(data.points.size())));
        if (point >= data.points.size()) return std::nullopt;
        return ChartSpot{point * data.intervalsPerPoint, std::nullopt, 0};
    }
    std::size_t columns = 1;
    for (const input::HeatRow& d : data.days) columns = std::max(columns, d.agents.size());
    const std::int32_t first = data.days.front().day;
    const std::int32_t span = data.days.back().day - first + 1;
    for (const QRect& area : HeatPlotAreas(data, page)) {
        const QRectF plot(area);
        if (!plot.contains(at)) continue;
        const auto slot = static_cast<int>((at.x() - plot.left()) / plot.width() *
                                           static_cast<double>(columns));
        const auto row = static_cast<std::int32_t>((at.y() - plot.top()) / plot.height() * span);
        if (row >= span || slot >= static_cast<int>(columns)) return std::nullopt;
        return ChartSpot{std::nullopt, first + row, slot * data.intervalMinutes};
    }
    return std::nullopt;
}

}  // namespace corvane::chart
