#pragma once

#include <QString>
#include <QStringList>

#include "calc/calc_error.h"
#include "calc/result.h"
#include "output/report.h"

class QClipboard;

namespace corvane::output {

// The clipboard text of a report: the heading, an empty line, then every
// line unchanged, each followed by CR LF.
QString ClipboardText(const Report& report);

// Clears the clipboard and puts the report on it in one piece as plain
// text. Without a clipboard: error 521.
Result<void, ErrorNumber> CopyToClipboard(const Report& report, QClipboard* clipboard);

}  // namespace corvane::output
