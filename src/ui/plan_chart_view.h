#pragma once

#include <QTransform>
#include <QWidget>

#include <optional>

#include "chart/chart_spot.h"
#include "input/chart_data.h"

namespace corvane::ui {

// The plan's chart, drawn by the same code as corvane-plan's, scaled to
// the widget as it is resized; says which interval the pointer is over.
class PlanChartView : public QWidget {
    Q_OBJECT

public:
    explicit PlanChartView(QWidget* parent = nullptr);

    void SetData(input::ChartData data);
    const input::ChartData& Data() const { return data_; }

signals:
    void Hovered(const chart::ChartSpot& spot, QPoint global);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // From the chart's page to the widget.
    QTransform PageToWidget() const;

    input::ChartData data_;
    bool empty_ = true;
};

}  // namespace corvane::ui
