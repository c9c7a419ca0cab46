#include "cli/plan_chart.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

#include "plan/plan_output.h"

namespace corvane::cli {

namespace {

constexpr int kWidth = 1200;
constexpr int kHeight = 600;
const QMargins kPlotMargins(80, 80, 40, 90);
const QColor kRequired(0x1f, 0x4e, 0x9a);
const QColor kScheduled(0xe0, 0x8a, 0x1e);
const QColor kOutside(0xc0, 0x30, 0x30);

// A round step for the value axis: 1, 2 or 5 times a power of ten, giving
// at most about eight grid lines.
long AxisStep(long top) {
    long step = 1;
    for (;;) {
        for (const long m : {1L, 2L, 5L})
            if (top / (step * m) <= 8) return step * m;
        step *= 10;
    }
}

QString Label(const std::string& label) {
    QString text = QString::fromStdString(label).simplified();
    return text.size() > 16 ? text.left(15) + QChar(0x2026) : text;
}

class ChartPainter {
public:
    using Point = plan::ChartSeries::Point;

    ChartPainter(QPainter& p, const plan::ChartSeries& series, const plan::PlanOptions& options)
        : p_(p), points_(series.Points()), options_(options) {
        plot_ = QRect(0, 0, kWidth, kHeight).marginsRemoved(kPlotMargins);
        long top = 1;
        for (const auto& point : points_) top = std::max({top, point.agents, point.scheduled});
        step_ = AxisStep(top);
        top_ = (top / step_ + 1) * step_;
    }

    void Draw() {
        p_.fillRect(QRect(0, 0, kWidth, kHeight), Qt::white);
        p_.setRenderHint(QPainter::Antialiasing);
        DrawTitle();
        DrawGrid();
        DrawOutside();
        DrawSteps(&Point::scheduled, kScheduled, 2.0);
        DrawSteps(&Point::agents, kRequired, 2.0);
        DrawLabels();
        DrawLegend();
    }

private:
    double X(std::size_t interval) const {
        return plot_.left() + plot_.width() * static_cast<double>(interval) /
                                  static_cast<double>(std::max<std::size_t>(1, points_.size()));
    }
    double Y(double agents) const { return plot_.bottom() - plot_.height() * agents / top_; }

    void DrawTitle() {
        QFont font = p_.font();
        font.setPixelSize(18);
        font.setBold(true);
        p_.setFont(font);
        p_.setPen(Qt::black);
        p_.drawText(QRect(0, 10, kWidth, 30), Qt::AlignCenter,
                    QStringLiteral("Agents per interval"));
        font.setPixelSize(13);
        font.setBold(false);
        p_.setFont(font);
        const plan::PlanOptions& o = options_;
        QString sub = QString::fromStdString(plan::TargetText(o));
        sub += QStringLiteral("; shrinkage %1 %")
                   .arg(QString::fromStdString(plan::DecimalText(o.shrinkage)));
        if (o.patience) sub += QStringLiteral("; mean patience %1 s").arg(*o.patience);
        p_.drawText(QRect(0, 40, kWidth, 24), Qt::AlignCenter, sub);
    }

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
        for (std::size_t i = 0; i < points_.size(); ++i) {
            if (!points_[i].outsideRange) continue;
            QColor shade = kOutside;
            shade.setAlpha(50);
            p_.fillRect(QRectF(QPointF(X(i), plot_.top()), QPointF(X(i + 1), plot_.bottom())),
                        shade);
        }
    }

    void DrawSteps(long Point::*value, const QColor& color, double width) {
        QPainterPath path;
        bool drawing = false;
        for (std::size_t i = 0; i < points_.size(); ++i) {
            const Point& row = points_[i];
            if (row.outsideRange) {
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
        p_.setPen(QPen(color, width));
        p_.setBrush(Qt::NoBrush);
        p_.drawPath(path);
    }

    void DrawLabels() {
        QFont font = p_.font();
        font.setPixelSize(11);
        p_.setFont(font);
        p_.setPen(Qt::black);
        const QFontMetrics metrics(font);
        int widest = 1;
        for (const auto& point : points_)
            widest = std::max(widest, metrics.horizontalAdvance(Label(point.label)));
        const double slot = X(1) - X(0);
        const std::size_t every =
            std::max<std::size_t>(1, static_cast<std::size_t>(std::ceil((widest + 12) / slot)));
        for (std::size_t i = 0; i < points_.size(); i += every) {
            const double x = X(i) + slot / 2;
            p_.drawLine(QPointF(x, plot_.bottom()), QPointF(x, plot_.bottom() + 4));
            p_.drawText(QRectF(x - widest / 2.0 - 6, plot_.bottom() + 6, widest + 12, 18),
                        Qt::AlignHCenter | Qt::AlignTop, Label(points_[i].label));
        }
        p_.drawText(QRect(plot_.left(), kHeight - 40, plot_.width(), 20), Qt::AlignCenter,
                    QStringLiteral("interval (%1 minutes)").arg(options_.intervalMinutes));
    }

    void DrawLegend() {
        QFont font = p_.font();
        font.setPixelSize(12);
        p_.setFont(font);
        const int y = plot_.top() - 12;
        int x = plot_.right() - 200;
        for (const auto& [text, color] : {std::pair{QStringLiteral("required"), kRequired},
                                          std::pair{QStringLiteral("scheduled"), kScheduled}}) {
            p_.setPen(QPen(color, 3));
            p_.drawLine(x, y, x + 24, y);
            p_.setPen(Qt::black);
            p_.drawText(QPoint(x + 30, y + 4), text);
            x += 100;
        }
    }

    QPainter& p_;
    const std::vector<Point>& points_;
    const plan::PlanOptions& options_;
    QRect plot_;
    long step_ = 1;
    long top_ = 1;
};

}  // namespace

QByteArray RenderChart(const plan::ChartSeries& series, const plan::PlanOptions& options,
                       ChartKind kind) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (kind == ChartKind::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(kWidth, kHeight));
        svg.setViewBox(QRect(0, 0, kWidth, kHeight));
        svg.setTitle(QStringLiteral("Agents per interval"));
        QPainter painter(&svg);
        ChartPainter(painter, series, options).Draw();
    } else {
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            ChartPainter(painter, series, options).Draw();
        }
        image.save(&buffer, "PNG");
    }
    return bytes;
}

}  // namespace corvane::cli
