#pragma once

#include <QWidget>

#include <vector>

#include "plan/shift_summary.h"

class QPainter;

namespace corvane::ui {

// A day's roster as a timeline: a bar per group of agents from its start
// to its end, its lunch left open, its shift and count written on it.
class RosterView : public QWidget {
    Q_OBJECT

public:
    explicit RosterView(QWidget* parent = nullptr);

    void SetRows(QString title, std::vector<plan::ShiftRow> rows);
    const std::vector<plan::ShiftRow>& Rows() const { return rows_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString title_;
    std::vector<plan::ShiftRow> rows_;
};

// Paints a roster on `size`; the view and the printed plan draw it alike.
void PaintRoster(QPainter& painter, QSize size, const QString& title,
                 const std::vector<plan::ShiftRow>& rows);

}  // namespace corvane::ui
