#include "ui/message_box.h"

#include <QMessageBox>
#include <QPointer>

namespace corvane::ui {

MessageFunction PlatformMessageBox(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    return [owner](const QString& text, const QString& title) {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner.data());
        box.exec();
    };
}

}  // namespace corvane::ui
