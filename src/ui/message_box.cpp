#include "ui/message_box.h"

#include <QFontMetrics>
#include <QMessageBox>

#include <algorithm>
#include <QPointer>

namespace corvane::ui {

MessageFunction PlatformMessageBox(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    return [owner](const QString& text, const QString& title) {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner.data());
        // Wide enough that the lines of a multi-line message stay as written.
        int widest = 0;
        const QFontMetrics metrics(box.font());
        for (const QString& line : text.split(QLatin1Char('\n')))
            widest = std::max(widest, metrics.horizontalAdvance(line.trimmed()));
        box.setStyleSheet(QStringLiteral("QLabel { min-width: %1px; }").arg(widest + 8));
        box.exec();
    };
}

}  // namespace corvane::ui
