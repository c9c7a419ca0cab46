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

QString ClipboardAdvice() {
    return QStringLiteral(
               "To maintain alignment of the columns after pasting into your word processor,") +
           kLineBreak +
           QStringLiteral(
               "be sure to specify a mono-spaced font, like Courier New.  A proportional-spaced") +
           kLineBreak +
           QStringLiteral(
               "font, such as Times New Roman, will not maintain alignment.  Consult your word") +
           kLineBreak +
           QStringLiteral("processor's User Guide for the procedure to specify fonts.");
}

void CopyToClipboard(const Report& report, QClipboard* clipboard, const MessageFunction& message) {
    const QString title = QStringLiteral("Copy To Clipboard");
    if (!clipboard) {
        message(
            QString::fromStdString(UnexpectedErrorText(ErrorTextForm::TwoSpaces, kErrClipboard)),
            title);
        return;
    }
    clipboard->clear();
    clipboard->setText(ClipboardText(report), QClipboard::Clipboard);
    message(ClipboardAdvice(), title);
}

}  // namespace corvane::output
