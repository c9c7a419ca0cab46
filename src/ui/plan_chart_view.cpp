#include "ui/plan_chart_view.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "chart/chart_painters.h"
#include "chart/chart_render.h"

namespace corvane::ui {

PlanChartView::PlanChartView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setMinimumSize(300, 150);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlanChartView::SetData(input::ChartData data) {
    data_ = std::move(data);
    empty_ = false;
    update();
}

QTransform PlanChartView::PageToWidget() const {
    const double scale = std::min(width() / static_cast<double>(chart::kChartWidth),
                                  height() / static_cast<double>(chart::kChartHeight));
    QTransform t;
    t.translate((width() - chart::kChartWidth * scale) / 2,
                (height() - chart::kChartHeight * scale) / 2);
    t.scale(scale, scale);
    return t;
}

void PlanChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (empty_) return;
    painter.setTransform(PageToWidget());
    if (data_.HeatMap())
        chart::PaintHeatMap(painter, data_);
    else
        chart::PaintLines(painter, data_);
}

void PlanChartView::mouseMoveEvent(QMouseEvent* event) {
    if (empty_) return;
    const QPointF page = PageToWidget().inverted().map(event->position());
    if (const auto spot = chart::SpotAt(data_, page))
        emit Hovered(*spot, event->globalPosition().toPoint());
}

}  // namespace corvane::ui
