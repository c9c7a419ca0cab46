#include "ui/roster_view.h"

#include <QPainter>

#include <algorithm>

#include "input/label_time.h"

namespace corvane::ui {

namespace {

const QColor kBar(0x3b, 0x6e, 0xb5);
const QColor kLunch(0xd6, 0xe2, 0xf3);

}  // namespace

RosterView::RosterView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(200, 80);
}

void RosterView::SetRows(QString title, std::vector<plan::ShiftRow> rows) {
    title_ = std::move(title);
    rows_ = std::move(rows);
    updateGeometry();
    update();
}

QSize RosterView::sizeHint() const {
    const int line = fontMetrics().height() + 6;
    return {600, line * (static_cast<int>(rows_.size()) + 3)};
}

void RosterView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    PaintRoster(painter, size(), title_, rows_);
}

void PaintRoster(QPainter& p, QSize size, const QString& title,
                 const std::vector<plan::ShiftRow>& rows) {
    const QFontMetrics metrics = p.fontMetrics();
    const int line = metrics.height() + 6;
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, size.width(), line), Qt::AlignCenter, title);
    if (rows.empty()) {
        p.drawText(QRect(0, line, size.width(), line), Qt::AlignCenter,
                   QStringLiteral("No shift starts on this day."));
        return;
    }
    // The hours the day's shifts span, on whole hours.
    int first = rows.front().start;
    int last = rows.front().end;
    for (const plan::ShiftRow& r : rows) {
        first = std::min(first, r.start);
        last = std::max(last, r.end);
    }
    first = first / 60 * 60;
    last = (last + 59) / 60 * 60;
    const int left = metrics.horizontalAdvance(QStringLiteral("00:00")) / 2 + 4;
    const int width = std::max(1, size.width() - 2 * left);
    const auto x = [&](int minute) {
        return left + static_cast<double>(width) * (minute - first) / std::max(1, last - first);
    };
    // The hour grid, labelled every hour or every few as they fit.
    const int hours = (last - first) / 60;
    const int every = std::max(1, hours * (metrics.horizontalAdvance(QStringLiteral("00:00")) + 8) / width + 1);
    const int top = line;
    const int bottom = top + line * static_cast<int>(rows.size());
    for (int m = first; m <= last; m += 60) {
        p.setPen(QColor(0xdd, 0xdd, 0xdd));
        p.drawLine(QPointF(x(m), top), QPointF(x(m), bottom));
        if ((m - first) / 60 % every != 0) continue;
        p.setPen(Qt::black);
        p.drawText(QRectF(x(m) - 30, bottom + 2, 60, line), Qt::AlignHCenter | Qt::AlignTop,
                   QString::fromStdString(input::TimeText(m % (24 * 60))));
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const plan::ShiftRow& r = rows[i];
        const QRectF bar(QPointF(x(r.start), top + line * static_cast<double>(i) + 2),
                         QPointF(x(r.end), top + line * static_cast<double>(i + 1) - 2));
        p.fillRect(bar, kBar);
        if (r.lunch) {
            // A lunch after midnight is the next day's.
            const int lunch = *r.lunch < r.start ? *r.lunch + 24 * 60 : *r.lunch;
            p.fillRect(QRectF(QPointF(x(lunch), bar.top()), QPointF(x(lunch + r.lunchLength), bar.bottom())),
                       kLunch);
        }
        p.setPen(Qt::white);
        const QString text = QStringLiteral("%1 \u00d7 %2  %3\u2013%4")
                                 .arg(QString::fromStdString(r.shift))
                                 .arg(r.agents)
                                 .arg(QString::fromStdString(input::TimeText(r.start)),
                                      QString::fromStdString(input::TimeText(r.end % (24 * 60))));
        p.drawText(bar.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   metrics.elidedText(text, Qt::ElideRight, static_cast<int>(bar.width()) - 8));
    }
}

}  // namespace corvane::ui
