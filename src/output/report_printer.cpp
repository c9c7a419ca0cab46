#include "output/report_printer.h"

#include <optional>

#include "output/print_surface.h"

namespace corvane::output {

Result<void, ErrorNumber> PrintReport(const Report* report, PrintDialog& dialog,
                                      const QPicture* picture, QSize size) {
    if (!report) return {};
    const std::optional<int> chosen = dialog.Choose();
    if (!chosen) return {};
    const int copies = *chosen;
    PrintSurface* surface = dialog.Surface();
    if (!surface) return Fail(kErrPrinter);
    const QString margin(10, QLatin1Char(' '));
    surface->SetFont(QStringLiteral("Courier New"), 10);
    // After a failure the document is left as it stands.
    for (int copy = 1; copy <= copies && !surface->Failed(); ++copy) {
        for (int i = 0; i < 6; ++i) surface->PrintEmptyLine();
        surface->PrintLine(margin + report->heading);
        surface->PrintEmptyLine();
        for (const QString& line : report->lines) surface->PrintLine(margin + line);
        if (picture) surface->PrintPicture(*picture, size);
        surface->NewPage();
    }
    if (surface->Failed()) return Fail(kErrPrinter);
    surface->EndDoc();
    return {};
}

}  // namespace corvane::output
