#include <QFontMetrics>
#include <QPainterPath>

#include <algorithm>

#include "chart/chart_painters.h"
#include "chart/chart_render.h"
#include "chart/chart_ticks.h"

namespace corvane::chart {

namespace {

const QMargins kPlotMargins(80, 80, 40, 90);
const QColor kRequired(0x1f, 0x4e, 0x9a);
const QColor kScheduled(0xe0, 0x8a, 0x1e);
const QColor kOutside(0xc0, 0x30, 0x30);
const QColor kOnDuty(0x2a, 0x9d, 0x4a);

// A round step for the value axis: 1, 2 or 5 times a power of ten, giving
// at most `lines` grid lines (about eight where there is room).
long AxisStep(long top, long lines) {
    long step = 1;
    for (;;) {
        for (const long m : {1L, 2L, 5L})
            if (top / (step * m) <= lines) return step * m;
        step *= 10;
    }
}

QString Shortened(const std::string& label) {
    QString text = QString::fromStdString(label).simplified();
    return text.size() > 16 ? text.left(15) + QChar(0x2026) : text;
}

class LinePainter {
public:
    using Point = input::ChartPoint;

    LinePainter(QPainter& p, const input::ChartData& data, QSize page)
        : p_(p), data_(data), points_(data.points), page_(page) {
        plot_ = LinePlotArea(page);
        long top = 1;
        for (const auto& point : points_) {
            top = std::max({top, point.agents, point.scheduled, point.onDuty});
            onDuty_ = onDuty_ || point.onDuty >= 0;
        }
        // Labels 11 units high stand at least 20 apart.
        step_ = AxisStep(top, std::clamp<long>(plot_.height() / 20, 2, 8));
        top_ = (top / step_ + 1) * step_;
    }

    void Draw() {
        p_.setRenderHint(QPainter::Antialiasing);
        DrawGrid();
        DrawTickLines();
        DrawOutside();
        if (onDuty_) DrawSteps(&Point::onDuty, kOnDuty);
        DrawSteps(&Point::scheduled, kScheduled);
        DrawSteps(&Point::agents, kRequired);
        DrawTicks();
        DrawLegend();
    }

private:
    double X(std::size_t interval) const {
        return plot_.left() + plot_.width() * static_cast<double>(interval) /
                                  static_cast<double>(std::max<std::size_t>(1, points_.size()));
    }
    double Y(double agents) const { return plot_.bottom() - plot_.height() * agents / top_; }

    void DrawGrid() {
        QFont font = p_.font();
        font.setPixelSize(12);
        p_.setFont(font);
        for (long v = 0; v <= top_; v += step_) {
            const double y = Y(static_cast<double>(v));
            p_.setPen(QPen(QColor(0xdd, 0xdd, 0xdd), 1));
            p_.drawLine(QPointF(plot_.left(), y), QPointF(plot_.right(), y));
            p_.setPen(Qt::black);
            p_.drawText(QRectF(0, y - 8, plot_.left() - 8, 16), Qt::AlignRight | Qt::AlignVCenter,
                        QString::number(v));
        }
        p_.setPen(QPen(Qt::black, 1));
        p_.drawLine(plot_.bottomLeft(), plot_.bottomRight());
        p_.drawLine(plot_.bottomLeft(), plot_.topLeft());
        p_.save();
        p_.translate(18, plot_.center().y());
        p_.rotate(-90);
        p_.drawText(QRect(-100, -10, 200, 20), Qt::AlignCenter, QStringLiteral("agents"));
        p_.restore();
    }

    // Intervals the model could not compute are shaded, so a gap in the
    // steps is never read as zero agents.
    void DrawOutside() {
        QColor shade = kOutside;
        shade.setAlpha(50);
        for (std::size_t i = 0; i < points_.size(); ++i)
            if (points_[i].outsideRange)
                p_.fillRect(QRectF(QPointF(X(i), plot_.top()), QPointF(X(i + 1), plot_.bottom())),
                            shade);
    }

    void DrawSteps(long Point::*value, const QColor& color) {
        QPainterPath path;
        bool drawing = false;
        for (std::size_t i = 0; i < points_.size(); ++i) {
            const Point& row = points_[i];
            if (row.outsideRange || row.*value < 0) {
                drawing = false;
                continue;
            }
            const double y = Y(static_cast<double>(row.*value));
            if (!drawing)
                path.moveTo(X(i), y);
            else
                path.lineTo(X(i), y);
            path.lineTo(X(i + 1), y);
            drawing = true;
        }
        p_.setPen(QPen(color, 2.0));
        p_.setBrush(Qt::NoBrush);
        p_.drawPath(path);
    }

    // Under the steps, so no line of the plan is crossed out.
    void DrawTickLines() {
        p_.setPen(QPen(QColor(0xee, 0xee, 0xee), 1));
        for (const Tick& t : TimeTicks(data_, 16)) {
            const double x = X(t.at);
            p_.drawLine(QPointF(x, plot_.top()), QPointF(x, plot_.bottom()));
        }
    }

    void DrawTicks() {
        QFont font = p_.font();
        font.setPixelSize(11);
        p_.setFont(font);
        const QFontMetrics metrics(font);
        const std::vector<Tick> ticks = TimeTicks(data_, 16);
        int widest = 1;
        for (const Tick& t : ticks)
            widest = std::max(widest, metrics.horizontalAdvance(Shortened(t.text)));
        // Ticks closer than their labels are wide keep every n-th label.
        double closest = plot_.width();
        for (std::size_t i = 1; i < ticks.size(); ++i)
            closest = std::min(closest, X(ticks[i].at) - X(ticks[i - 1].at));
        const std::size_t every =
            std::max<std::size_t>(1, static_cast<std::size_t>(std::ceil((widest + 8) / closest)));
        for (std::size_t i = 0; i < ticks.size(); ++i) {
            const double x = X(ticks[i].at);
            p_.setPen(Qt::black);
            p_.drawLine(QPointF(x, plot_.bottom()), QPointF(x, plot_.bottom() + 5));
            if (i % every == 0)
                p_.drawText(QRectF(x - widest / 2.0 - 6, plot_.bottom() + 7, widest + 12, 18),
                            Qt::AlignHCenter | Qt::AlignTop, Shortened(ticks[i].text));
        }
        p_.drawText(QRect(plot_.left(), page_.height() - 40, plot_.width(), 20), Qt::AlignCenter,
                    QStringLiteral("interval (%1 minutes)").arg(data_.intervalMinutes));
    }

    void DrawLegend() {
        QFont font = p_.font();
        font.setPixelSize(12);
        p_.setFont(font);
        const int y = plot_.top() - 12;
        std::vector<std::pair<QString, QColor>> lines{{QStringLiteral("required"), kRequired},
                                                      {QStringLiteral("scheduled"), kScheduled}};
        if (onDuty_) lines.emplace_back(QStringLiteral("on duty"), kOnDuty);
        int x = plot_.right() - 100 * static_cast<int>(lines.size());
        for (const auto& [text, color] : lines) {
            p_.setPen(QPen(color, 3));
            p_.drawLine(x, y, x + 24, y);
            p_.setPen(Qt::black);
            p_.drawText(QPoint(x + 30, y + 4), text);
            x += 100;
        }
    }

    QPainter& p_;
    const input::ChartData& data_;
    const std::vector<Point>& points_;
    QRect plot_;
    long step_ = 1;
    long top_ = 1;
    bool onDuty_ = false;  // a shift plan's agents are drawn too
    QSize page_;
};

}  // namespace

void PaintPage(QPainter& p, const input::ChartData& data, const QString& title, QSize page) {
    p.fillRect(QRect(QPoint(0, 0), page), Qt::white);
    QFont font = p.font();
    font.setPixelSize(18);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 10, page.width(), 30), Qt::AlignCenter, title);
    font.setPixelSize(13);
    font.setBold(false);
    p.setFont(font);
    p.drawText(QRect(0, 40, page.width(), 24), Qt::AlignCenter,
               QString::fromStdString(data.subtitle));
}

void PaintLines(QPainter& painter, const input::ChartData& data, QSize page) {
    PaintPage(painter, data, QStringLiteral("Agents per interval"), page);
    LinePainter(painter, data, page).Draw();
}

QRect LinePlotArea(QSize page) { return QRect(QPoint(0, 0), page).marginsRemoved(kPlotMargins); }

}  // namespace corvane::chart
