#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "chart/chart_painters.h"
#include "chart/chart_render.h"
#include "chart/chart_ticks.h"
#include "input/label_time.h"

namespace corvane::chart {

namespace {

const QMargins kPlotMargins(100, 80, 150, 60);
// Two maps side by side: each with its legend to the right.
constexpr int kLegendWidth = 150;
constexpr int kLevels = 24;  // shades of each map (the surplus map: 12 each way and 0)
const QColor kNoInterval(0xee, 0xee, 0xee);

// From pale yellow (few agents) through green to deep blue (the most):
// light to dark, so a printout in grey still reads.
QColor LevelColour(int level) {
    constexpr std::array<std::array<int, 3>, 5> kStops = {
        {{255, 255, 204}, {161, 218, 180}, {65, 182, 196}, {44, 127, 184}, {37, 52, 148}}};
    const double t = static_cast<double>(level) / (kLevels - 1) * (kStops.size() - 1);
    const auto i = std::min<std::size_t>(static_cast<std::size_t>(t), kStops.size() - 2);
    const double f = t - static_cast<double>(i);
    const auto mix = [&](int c) {
        return static_cast<int>(kStops[i][c] + (kStops[i + 1][c] - kStops[i][c]) * f + 0.5);
    };
    return QColor(mix(0), mix(1), mix(2));
}

// From red (short) through near white (as scheduled) to green (more on
// duty than scheduled); level kLevels / 2 is 0.
QColor SurplusColour(int level) {
    constexpr int kMiddle = kLevels / 2;
    const QColor white(0xf7, 0xf7, 0xf7);
    const QColor end = level < kMiddle ? QColor(0xb2, 0x18, 0x2b) : QColor(0x1b, 0x78, 0x37);
    const double f = std::abs(level - kMiddle) / static_cast<double>(kMiddle);
    const auto mix = [&](int a, int b) { return static_cast<int>(a + (b - a) * f + 0.5); };
    return QColor(mix(white.red(), end.red()), mix(white.green(), end.green()),
                  mix(white.blue(), end.blue()));
}

// What a map shows: the agents required, or on duty less scheduled.
enum class MapKind { Required, Surplus };

class HeatPainter {
public:
    HeatPainter(QPainter& p, const input::ChartData& data, QRect plot, MapKind kind, QSize page)
        : p_(p), data_(data), plot_(plot), kind_(kind), page_(page) {
        firstDay_ = data.days.front().day;
        lastDay_ = data.days.back().day;
        slots_ = 1;
        for (const auto& d : data.days) {
            slots_ = std::max(slots_, d.agents.size());
            for (std::size_t s = 0; s < d.agents.size(); ++s)
                if (const auto v = Value(d, s))
                    top_ = std::max(top_, kind_ == MapKind::Required ? *v : std::abs(*v));
        }
    }

    // `dayLabels`: the months or Mondays down the left, for the first map.
    void Draw(bool dayLabels) {
        DrawCells();
        DrawAxes(dayLabels);
        DrawLegend();
    }

private:
    std::optional<long> Value(const input::HeatRow& row, std::size_t slot) const {
        if (slot >= row.agents.size() || row.agents[slot] < 0) return std::nullopt;
        if (kind_ == MapKind::Required) return row.agents[slot];
        if (slot >= row.surplus.size()) return std::nullopt;
        return row.surplus[slot];
    }
    QColor Colour(int level) const {
        return kind_ == MapKind::Required ? LevelColour(level) : SurplusColour(level);
    }

    double X(double slot) const { return plot_.left() + plot_.width() * slot / slots_; }
    double Y(double row) const {
        return plot_.top() + plot_.height() * row / static_cast<double>(lastDay_ - firstDay_ + 1);
    }
    int Level(long value) const {
        if (kind_ == MapKind::Required)
            return static_cast<int>(std::min<long>(kLevels - 1, value * kLevels / (top_ + 1)));
        // -top_ .. top_ onto 0 .. kLevels, 0 onto the middle.
        const double half = kLevels / 2.0;
        return static_cast<int>(std::lround(half + half * static_cast<double>(value) / top_));
    }
    int Levels() const { return kind_ == MapKind::Required ? kLevels : kLevels + 1; }

    // One path per colour, each row's runs of one colour as one rectangle:
    // a year stays a small SVG and a quick PNG.
    void DrawCells() {
        std::vector<QPainterPath> paths(static_cast<std::size_t>(Levels()) + 1);  // last: none
        auto row = data_.days.begin();                // the days come in date order
        for (std::int32_t day = firstDay_; day <= lastDay_; ++day) {
            const double y0 = Y(day - firstDay_), y1 = Y(day - firstDay_ + 1);
            while (row != data_.days.end() && row->day < day) ++row;
            std::size_t start = 0;
            int runLevel = -2;
            for (std::size_t s = 0; s <= slots_; ++s) {
                int level = Levels();
                if (s < slots_ && row != data_.days.end() && row->day == day)
                    if (const auto v = Value(*row, s)) level = Level(*v);
                if (s == slots_ || level != runLevel) {
                    if (runLevel >= -1 && s > start)
                        paths[static_cast<std::size_t>(runLevel)].addRect(
                            QRectF(QPointF(X(start), y0), QPointF(X(s), y1)));
                    start = s;
                    runLevel = level;
                }
            }
        }
        p_.setPen(Qt::NoPen);
        for (int level = 0; level <= Levels(); ++level) {
            p_.setBrush(level == Levels() ? kNoInterval : Colour(level));
            p_.drawPath(paths[static_cast<std::size_t>(level)]);
        }
        missing_ = !paths[static_cast<std::size_t>(Levels())].isEmpty();
        p_.setBrush(Qt::NoBrush);
    }

    void DrawAxes(bool dayLabels) {
        QFont font = p_.font();
        font.setPixelSize(11);
        p_.setFont(font);
        p_.setPen(Qt::black);
        p_.drawRect(QRectF(plot_));
        for (const Tick& t : HourTicks(data_.intervalMinutes, 3)) {
            const double x = X(static_cast<double>(t.at));
            p_.drawLine(QPointF(x, plot_.bottom()), QPointF(x, plot_.bottom() + 5));
            p_.drawText(QRectF(x - 30, plot_.bottom() + 7, 60, 16), Qt::AlignHCenter,
                        QString::fromStdString(t.text));
        }
        p_.drawText(QRect(plot_.left(), page_.height() - 30, plot_.width(), 20), Qt::AlignCenter,
                    QStringLiteral("time of day (%1-minute intervals)").arg(data_.intervalMinutes));
        if (!dayLabels) return;
        const bool fewDays = lastDay_ - firstDay_ < 62;
        // A label is 16 units high: months, quarters or years, as fit.
        const double rowsPerUnit = static_cast<double>(lastDay_ - firstDay_ + 1) / plot_.height();
        for (const Tick& t : MonthTicks(firstDay_, lastDay_, 18 * rowsPerUnit)) {
            const double y = Y(static_cast<double>(t.at));
            p_.drawLine(QPointF(plot_.left() - 5, y), QPointF(plot_.left(), y));
            if (!fewDays)
                p_.drawText(QRectF(0, y, plot_.left() - 8, 16), Qt::AlignRight | Qt::AlignTop,
                            QString::fromStdString(t.text));
        }
        if (fewDays) {  // a few weeks: every Monday by its date
            for (std::int32_t day = firstDay_; day <= lastDay_; ++day) {
                if (input::Weekday(day) != 0 && day != firstDay_) continue;
                const double y = Y(day - firstDay_);
                p_.drawText(QRectF(0, y, plot_.left() - 8, 16), Qt::AlignRight | Qt::AlignTop,
                            QString::fromStdString(DayText(day)));
            }
        }
    }

    void DrawLegend() {
        const QRectF bar(plot_.right() + 40, plot_.top(), 20, plot_.height());
        for (int level = 0; level < Levels(); ++level) {
            const double y1 = bar.bottom() - bar.height() * level / Levels();
            const double y0 = bar.bottom() - bar.height() * (level + 1) / Levels();
            p_.fillRect(QRectF(QPointF(bar.left(), y0), QPointF(bar.right(), y1)), Colour(level));
        }
        p_.setPen(Qt::black);
        p_.drawRect(bar);
        QFont font = p_.font();
        font.setPixelSize(11);
        p_.setFont(font);
        const bool required = kind_ == MapKind::Required;
        const auto mark = [&](double y, const QString& text) {
            p_.drawLine(QPointF(bar.right(), y), QPointF(bar.right() + 4, y));
            p_.drawText(QRectF(bar.right() + 6, y - 7, 80, 14), Qt::AlignLeft | Qt::AlignVCenter, text);
        };
        // Marks from 0 up (and, for the surplus, down) at round steps, the
        // top always.
        const std::vector<long> levels = LevelTicks(top_);
        for (const long v : levels) {
            if (required) {
                mark(bar.bottom() - bar.height() * v / static_cast<double>(top_), QString::number(v));
            } else {
                mark(bar.center().y() - bar.height() / 2 * v / static_cast<double>(top_),
                     (v > 0 ? QStringLiteral("+") : QString()) + QString::number(v));
                if (v > 0)
                    mark(bar.center().y() + bar.height() / 2 * v / static_cast<double>(top_),
                         QString(QChar(0x2212)) + QString::number(v));
            }
        }
        if (levels.back() != top_) {
            mark(bar.top(), (required ? QString() : QStringLiteral("+")) + QString::number(top_));
            if (!required) mark(bar.bottom(), QString(QChar(0x2212)) + QString::number(top_));
        }
        p_.drawText(QRectF(bar.left() - 40, bar.top() - 22, 140, 14), Qt::AlignLeft,
                    required ? QStringLiteral("agents required")
                             : QStringLiteral("on duty %1 scheduled").arg(QChar(0x2212)));
        // Shown only where the map has such cells.
        if (!missing_) return;
        p_.fillRect(QRectF(bar.left(), bar.bottom() + 14, 20, 12), kNoInterval);
        p_.drawText(QRectF(bar.right() + 6, bar.bottom() + 13, 80, 14), Qt::AlignLeft,
                    QStringLiteral("no interval"));
    }

    QPainter& p_;
    const input::ChartData& data_;
    QRect plot_;
    MapKind kind_;
    std::int32_t firstDay_ = 0;
    std::int32_t lastDay_ = 0;
    std::size_t slots_ = 1;
    long top_ = 1;
    bool missing_ = false;  // some cell has no interval
    QSize page_;
};

}  // namespace

std::vector<QRect> HeatPlotAreas(const input::ChartData& data, QSize page) {
    const QRect both = QRect(QPoint(0, 0), page).marginsRemoved(kPlotMargins);
    if (!data.Surplus()) return {both};
    const int width = (both.width() + kPlotMargins.right() - 2 * kLegendWidth) / 2;
    const QRect left(both.left(), both.top(), width, both.height());
    return {left, QRect(left.right() + kLegendWidth, both.top(), width, both.height())};
}

void PaintHeatMap(QPainter& painter, const input::ChartData& data, QSize page) {
    const std::vector<QRect> plots = HeatPlotAreas(data, page);
    if (plots.size() == 1) {
        PaintPage(painter, data, QStringLiteral("Agents required, day by day"), page);
        HeatPainter(painter, data, plots[0], MapKind::Required, page).Draw(true);
        return;
    }
    PaintPage(painter, data,
              QStringLiteral("Agents required, and on duty against scheduled, day by day"), page);
    HeatPainter(painter, data, plots[0], MapKind::Required, page).Draw(true);
    HeatPainter(painter, data, plots[1], MapKind::Surplus, page).Draw(false);
}

}  // namespace corvane::chart
