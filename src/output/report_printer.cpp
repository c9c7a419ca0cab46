#include "output/report_printer.h"

#include "output/print_surface.h"

namespace corvane::output {

void PrintReport(const Report* report, PrintDialog& dialog) {
    if (!report) return;
    int copies = 0;
    if (!dialog.choose(&copies)) return;
    PrintSurface* surface = dialog.surface();
    if (!surface) return;
    const QString margin(10, QLatin1Char(' '));
    surface->setFont(QStringLiteral("Courier New"), 10);
    // A failed printer reports nothing: the document is left as it stands.
    for (int copy = 1; copy <= copies && !surface->failed(); ++copy) {
        for (int i = 0; i < 6; ++i) surface->printEmptyLine();
        surface->printLine(margin + report->heading);
        surface->printEmptyLine();
        for (const QString& line : report->lines) surface->printLine(margin + line);
        surface->newPage();
    }
    if (!surface->failed()) surface->endDoc();
}

}  // namespace corvane::output
