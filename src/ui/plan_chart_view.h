#pragma once

#include <QTransform>
#include <QWidget>

#include <optional>

#include "chart/chart_spot.h"
#include "input/chart_data.h"

namespace corvane::ui {

// The plan's chart, drawn by the same code as corvane-plan's on a page of
// the widget's shape, its text at the window's type size; says which
// interval the pointer is over.
class PlanChartView : public QWidget {
    Q_OBJECT

public:
    explicit PlanChartView(QWidget* parent = nullptr);

    void SetData(input::ChartData data);
    const input::ChartData& Data() const { return data_; }
    // The page the chart is drawn on (the view's shape, in units of which
    // labels take 11), and the map from it to the widget.
    QSize Page() const;
    QTransform PageToWidget() const;

signals:
    void Hovered(const chart::ChartSpot& spot, QPoint global);
    void Clicked(const chart::ChartSpot& spot);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    double Scale() const;  // widget pixels per page unit

    input::ChartData data_;
    bool empty_ = true;
};

}  // namespace corvane::ui
