#include "output/clipboard_copy.h"

#include <QClipboard>
#include <QListWidget>

#include "calc/calc_error.h"
#include "output/report_heading.h"

namespace corvane::output {

namespace {
const QString kLineBreak = QStringLiteral("\r\n");
constexpr int kErrClipboard = 521;  // the clipboard cannot be opened
}  // namespace

QString ClipboardText(const QListWidget* list) {
    QString text = QString::fromUtf8(kReportHeading) + kLineBreak + kLineBreak;
    if (list) {
        for (int i = 0; i < list->count(); ++i) text += list->item(i)->text() + kLineBreak;
    }
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

void CopyToClipboard(const QListWidget* list, QClipboard* clipboard,
                     const MessageFunction& message) {
    const QString title = QStringLiteral("Copy To Clipboard");
    try {
        if (!clipboard) RaiseError(kErrClipboard);
        clipboard->clear();
        const QString text = ClipboardText(list);
        clipboard->setText(text, QClipboard::Clipboard);
    } catch (const CalcError& e) {
        message(QStringLiteral("Unexpected error # ") +
                    QString::fromStdString(NumberAsText(e.number())),
                title);
        return;
    }
    message(ClipboardAdvice(), title);
}

}  // namespace corvane::output
