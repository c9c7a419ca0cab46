#pragma once

#include <functional>

#include <QString>
#include <QStringList>

#include "output/message_function.h"
#include "output/report.h"

class QClipboard;

namespace corvane::output {

// The clipboard text of a report: the heading, an empty line, then every
// line unchanged, each followed by CR LF.
QString ClipboardText(const Report& report);

// Clears the clipboard, puts the report on it in one piece as plain text,
// then advises a mono-spaced font. A failure shows the error report
// instead of the advice.
void CopyToClipboard(const Report& report, QClipboard* clipboard, const MessageFunction& message);

// The four-line advice shown after a copy.
QString ClipboardAdvice();

}  // namespace corvane::output
