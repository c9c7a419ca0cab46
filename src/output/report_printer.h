#pragma once

#include <QString>

class QListWidget;

namespace corvane::output {

class PrintDialog;

// Prints the report of a view: nothing at all for the opening view;
// otherwise the Print dialog, then the chosen number of copies, each with
// six empty lines, the heading at a ten-space margin, an empty line and
// every list item at the margin, and a page break. Cancel and every
// failure end the command silently.
void PrintReport(const QString& currentView, const QListWidget* list, PrintDialog& dialog);

}  // namespace corvane::output
