#include "output/painter_print_surface.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrinter>

#include <algorithm>

namespace corvane::output {

PainterPrintSurface::PainterPrintSurface(QPrinter* printer) : printer_(printer) {
    font_.setStyleHint(QFont::TypeWriter);
}

PainterPrintSurface::~PainterPrintSurface() {
    if (painter_.isActive()) painter_.end();
}

void PainterPrintSurface::SetFont(const QString& family, double points) {
    font_ = QFont(family);
    font_.setStyleHint(QFont::TypeWriter);
    font_.setFixedPitch(true);
    font_.setPointSizeF(points);
    if (painter_.isActive()) painter_.setFont(font_);
}

bool PainterPrintSurface::EnsureStarted() {
    if (!painter_.isActive()) {
        if (!painter_.begin(printer_)) return false;
        painter_.setFont(font_);
        y_ = 0;
    }
    if (pageBreakPending_) {
        if (!printer_->newPage()) return false;
        pageBreakPending_ = false;
        y_ = 0;
        StartPage();
    }
    return true;
}

void PainterPrintSurface::StartPage() {
    if (inHeading_ || pageHeading_.isEmpty()) return;
    inHeading_ = true;
    for (const QString& line : pageHeading_) DrawSegment(line);
    inHeading_ = false;
}

void PainterPrintSurface::FitWidth(int chars) {
    if (painter_.isActive() || chars <= 0) return;
    const auto wide = [&] {
        const QFontMetricsF metrics(font_, printer_);
        return metrics.horizontalAdvance(QString(chars, QLatin1Char('M'))) >
               printer_->pageLayout().paintRectPixels(printer_->resolution()).width();
    };
    if (!wide()) return;
    printer_->setPageOrientation(QPageLayout::Landscape);
    // Still too wide: the type shrinks to fit, down to what can be read.
    constexpr double kLeastPoints = 5;
    while (wide() && font_.pointSizeF() > kLeastPoints)
        font_.setPointSizeF(std::max(kLeastPoints, font_.pointSizeF() - 0.5));
}

bool PainterPrintSurface::Advance() {
    const QFontMetricsF metrics(font_, printer_);
    const double height = printer_->pageLayout().paintRectPixels(printer_->resolution()).height();
    if (y_ + metrics.lineSpacing() > height) {
        if (!printer_->newPage()) return false;
        y_ = 0;
        StartPage();
    }
    return true;
}

void PainterPrintSurface::DrawSegment(const QString& segment) {
    failed_ = failed_ || !EnsureStarted() || !Advance();
    if (failed_) return;
    const QFontMetricsF metrics(font_, printer_);
    if (!segment.isEmpty()) painter_.drawText(QPointF(0, y_ + metrics.ascent()), segment);
    y_ += metrics.lineSpacing();
}

void PainterPrintSurface::PrintLine(const QString& text) {
    const QStringList segments = text.split(QStringLiteral("\r\n"));
    for (const QString& segment : segments) DrawSegment(segment);
}

void PainterPrintSurface::PrintEmptyLine() { DrawSegment(QString()); }

void PainterPrintSurface::PrintPicture(const QPicture& picture, QSize size) {
    NewPage();
    failed_ = failed_ || !EnsureStarted();
    if (failed_ || size.isEmpty()) return;
    const QRectF page = printer_->pageLayout().paintRectPixels(printer_->resolution());
    // The picture plays back at the printer's resolution, scaled by it from
    // its own: that ratio is taken out, so `size` fills the page.
    const double playback = static_cast<double>(printer_->logicalDpiX()) / picture.logicalDpiX();
    const double scale =
        std::min(page.width() / size.width(), page.height() / size.height()) / playback;
    painter_.save();
    painter_.scale(scale, scale);
    painter_.drawPicture(0, 0, picture);
    painter_.restore();
    painter_.setFont(font_);
    NewPage();
}

// Nothing printed yet: nothing to break.
void PainterPrintSurface::NewPage() { pageBreakPending_ = painter_.isActive() && !failed_; }

void PainterPrintSurface::EndDoc() {
    if (painter_.isActive() && !failed_) painter_.end();
    pageBreakPending_ = false;
}

}  // namespace corvane::output
