#include "ui/message_box.h"

#include <QFontMetrics>
#include <QAbstractButton>
#include <QIcon>
#include <QMessageBox>

#include "ui/dialog_frame.h"

#include <algorithm>
#include <QPointer>

namespace corvane::ui {

namespace {

// Room a title bar takes beside its text: the close button, borders and the
// box's own margins around the label.
constexpr int kTitleBarAllowance = 90;

// The width the message label needs: its longest line, and room for the
// whole title in the title bar.
int MessageTextWidth(const QWidget& box, const QString& text, const QString& title) {
    // Wide enough that the lines of a multi-line message stay as written...
    int widest = 0;
    const QFontMetrics metrics(box.font());
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line.trimmed()));
    // ...and that the title bar shows the whole title beside its close
    // button, in the bold face title bars use.
    QFont bold = box.font();
    bold.setBold(true);
    const int titleRoom = QFontMetrics(bold).horizontalAdvance(title) + kTitleBarAllowance;
    return std::max(widest + 8, titleRoom);
}

}  // namespace

MessageFunction PlatformMessageBox(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    return [owner](const QString& text, const QString& title) {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner.data(),
                        FixedDialogFlags());
        box.setWindowIcon(NoWindowIcon());
        // Plain OK, whatever the style would add.
        for (QAbstractButton* button : box.buttons()) button->setIcon(QIcon());
        box.setStyleSheet(
            QStringLiteral("QLabel { min-width: %1px; }").arg(MessageTextWidth(box, text, title)));
        box.exec();
    };
}

}  // namespace corvane::ui
