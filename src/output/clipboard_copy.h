#pragma once

#include <functional>

#include <QString>
#include <QStringList>

class QClipboard;
class QListWidget;

namespace corvane::output {

using MessageFunction = std::function<void(const QString& text, const QString& title)>;

// The clipboard text of a report: the heading, an empty line, then every
// item of the list unchanged, each followed by CR LF. `list` may be null
// (the opening view has no table).
QString ClipboardText(const QListWidget* list);

// Clears the clipboard, puts the report on it in one piece as plain text,
// then advises a mono-spaced font. A failure shows the error report
// instead of the advice.
void CopyToClipboard(const QListWidget* list, QClipboard* clipboard,
                     const MessageFunction& message);

// The four-line advice shown after a copy.
QString ClipboardAdvice();

}  // namespace corvane::output
