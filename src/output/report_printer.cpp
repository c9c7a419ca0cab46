#include "output/report_printer.h"

#include "output/print_surface.h"

namespace corvane::output {

void PrintReport(const Report* report, PrintDialog& dialog) {
    if (!report) return;
    int copies = 0;
    if (!dialog.Choose(&copies)) return;
    PrintSurface* surface = dialog.Surface();
    if (!surface) return;
    const QString margin(10, QLatin1Char(' '));
    surface->SetFont(QStringLiteral("Courier New"), 10);
    // A failed printer reports nothing: the document is left as it stands.
    for (int copy = 1; copy <= copies && !surface->Failed(); ++copy) {
        for (int i = 0; i < 6; ++i) surface->PrintEmptyLine();
        surface->PrintLine(margin + report->heading);
        surface->PrintEmptyLine();
        for (const QString& line : report->lines) surface->PrintLine(margin + line);
        surface->NewPage();
    }
    if (!surface->Failed()) surface->EndDoc();
}

}  // namespace corvane::output
