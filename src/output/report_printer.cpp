#include "output/report_printer.h"

#include <QListWidget>

#include "output/print_surface.h"
#include "output/report_heading.h"

namespace corvane::output {

void PrintReport(const QString& currentView, const QListWidget* list, PrintDialog& dialog) {
    if (currentView == QLatin1String("None")) return;
    try {
        int copies = 0;
        if (!dialog.choose(&copies)) return;
        PrintSurface* surface = dialog.surface();
        if (!surface) return;
        const QString margin(10, QLatin1Char(' '));
        surface->setFont(QStringLiteral("Courier New"), 10);
        for (int copy = 1; copy <= copies; ++copy) {
            for (int i = 0; i < 6; ++i) surface->printEmptyLine();
            surface->printLine(margin + QString::fromUtf8(kReportHeading));
            surface->printEmptyLine();
            if (list) {
                for (int i = 0; i < list->count(); ++i)
                    surface->printLine(margin + list->item(i)->text());
            }
            surface->newPage();
        }
        surface->endDoc();
    } catch (...) {
        // Printing reports nothing; the document is left as it stands.
    }
}

}  // namespace corvane::output
