#include "output/report_printer.h"

#include <algorithm>
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
    if (report->fitWidth) {
        int widest = static_cast<int>(report->heading.size());
        for (const QString& line : report->lines) widest = std::max(widest, static_cast<int>(line.size()));
        surface->FitWidth(margin.size() + widest);
    }
    // After a failure the document is left as it stands.
    for (int copy = 1; copy <= copies && !surface->Failed(); ++copy) {
        for (int i = 0; i < 6; ++i) surface->PrintEmptyLine();
        surface->PrintLine(margin + report->heading);
        surface->PrintEmptyLine();
        QStringList heading;
        for (const QString& line : report->repeated) heading << margin + line;
        for (int i = 0; i < report->lines.size(); ++i) {
            if (i == report->repeatFrom) surface->SetPageHeading(heading);
            if (i == report->repeatUntil) surface->SetPageHeading({});
            surface->PrintLine(margin + report->lines[i]);
        }
        surface->SetPageHeading({});
        if (picture) surface->PrintPicture(*picture, size);
        surface->NewPage();
    }
    if (surface->Failed()) return Fail(kErrPrinter);
    surface->EndDoc();
    return {};
}

}  // namespace corvane::output
