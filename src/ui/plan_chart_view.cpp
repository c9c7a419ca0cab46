#include "ui/plan_chart_view.h"

#include <QMouseEvent>
#include <QFontInfo>
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

// The chart fills the view, its text at the window's type size: the
// drawing's 11-unit labels come out as large as the window's font, and the
// page takes the view's shape.
double PlanChartView::Scale() const {
    const double typeSize = QFontInfo(font()).pixelSize();
    return std::max(0.5, typeSize / 11.0);
}

QSize PlanChartView::Page() const {
    const double scale = Scale();
    return {std::max(400, static_cast<int>(width() / scale)),
            std::max(240, static_cast<int>(height() / scale))};
}

QTransform PlanChartView::PageToWidget() const {
    const QSize page = Page();
    const double scale = std::min(width() / static_cast<double>(page.width()),
                                  height() / static_cast<double>(page.height()));
    QTransform t;
    t.scale(scale, scale);
    return t;
}

void PlanChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (empty_) return;
    painter.setTransform(PageToWidget());
    if (data_.HeatMap())
        chart::PaintHeatMap(painter, data_, Page());
    else
        chart::PaintLines(painter, data_, Page());
}

void PlanChartView::mouseMoveEvent(QMouseEvent* event) {
    if (empty_) return;
    const QPointF page = PageToWidget().inverted().map(event->position());
    if (const auto spot = chart::SpotAt(data_, page, Page()))
        emit Hovered(*spot, event->globalPosition().toPoint());
}

void PlanChartView::mousePressEvent(QMouseEvent* event) {
    if (empty_ || event->button() != Qt::LeftButton) return;
    const QPointF page = PageToWidget().inverted().map(event->position());
    if (const auto spot = chart::SpotAt(data_, page, Page())) emit Clicked(*spot);
}

}  // namespace corvane::ui
