#include "output/clipboard_copy.h"

#include <QClipboard>

#include "calc/calc_error.h"

namespace corvane::output {

namespace {
const QString kLineBreak = QStringLiteral("\r\n");
}  // namespace

QString ClipboardText(const Report& report) {
    QString text = report.heading + kLineBreak + kLineBreak;
    for (const QString& line : report.lines) text += line + kLineBreak;
    return text;
}

Result<void, ErrorNumber> CopyToClipboard(const Report& report, QClipboard* clipboard) {
    if (!clipboard) return Fail(kErrClipboard);
    clipboard->clear();
    clipboard->setText(ClipboardText(report), QClipboard::Clipboard);
    return {};
}

}  // namespace corvane::output
