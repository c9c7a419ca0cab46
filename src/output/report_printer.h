#pragma once

#include <QPicture>
#include <QSize>

#include "calc/calc_error.h"
#include "calc/result.h"
#include "output/report.h"

namespace corvane::output {

class PrintDialog;

// Prints a report: nothing at all without one (the opening view has
// none); otherwise the Print dialog, then the chosen number of copies, each
// with six empty lines, the heading at a ten-space margin, an empty line
// and every line at the margin, and a page break. Cancel is not a failure;
// a printer that fails gives error 482.
// With a picture, each copy ends with it on a page of its own.
Result<void, ErrorNumber> PrintReport(const Report* report, PrintDialog& dialog,
                                      const QPicture* picture = nullptr, QSize size = {});

}  // namespace corvane::output
