#include "chart/chart_render.h"

#include <QBuffer>
#include <QImage>
#include <QSvgGenerator>

#include "chart/chart_painters.h"

namespace corvane::chart {

namespace {

void Paint(QPainter& painter, const input::ChartData& data) {
    if (data.HeatMap())
        PaintHeatMap(painter, data);
    else
        PaintLines(painter, data);
}

}  // namespace

QByteArray RenderChart(const input::ChartData& data, input::ChartFormat format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == input::ChartFormat::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(kChartWidth, kChartHeight));
        svg.setViewBox(QRect(0, 0, kChartWidth, kChartHeight));
        svg.setTitle(QStringLiteral("Agents per interval"));
        QPainter painter(&svg);
        Paint(painter, data);
    } else {
        QImage image(kChartWidth, kChartHeight, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            Paint(painter, data);
        }
        if (!image.save(&buffer, "PNG")) return {};
    }
    return bytes;
}

}  // namespace corvane::chart
