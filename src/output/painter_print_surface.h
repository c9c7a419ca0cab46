#pragma once

#include <QFont>
#include <QPainter>

#include "output/print_surface.h"

class QPrinter;

namespace corvane::output {

// A line-printer surface drawn with QPainter on a QPrinter (a real printer
// or a PDF file). The document begins with the first line printed, so a
// run that prints nothing leaves no empty page.
class PainterPrintSurface : public PrintSurface {
public:
    explicit PainterPrintSurface(QPrinter* printer);
    ~PainterPrintSurface() override;

    void SetFont(const QString& family, double points) override;
    void PrintLine(const QString& text) override;
    void PrintEmptyLine() override;
    void PrintPicture(const QPicture& picture, QSize size) override;
    void NewPage() override;
    void FitWidth(int chars) override;
    void SetPageHeading(const QStringList& lines) override { pageHeading_ = lines; }
    void EndDoc() override;
    bool Failed() const override { return failed_; }

private:
    bool EnsureStarted();  // false when the printer failed
    bool Advance();        // moves to the next line, breaking the page when full
    void DrawSegment(const QString& segment);
    void StartPage();  // a new page's heading

    QPrinter* printer_;
    QPainter painter_;
    QFont font_;
    bool pageBreakPending_ = false;
    bool failed_ = false;
    double y_ = 0;
    QStringList pageHeading_;
    bool inHeading_ = false;
};

}  // namespace corvane::output
