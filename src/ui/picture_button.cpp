#include "ui/picture_button.h"

#include "ui/hidpi_pixmap.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace corvane::ui {

PictureButton::PictureButton(QWidget* parent) : QLabel(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureButton::loadPicture(const QString& path) {
    pictureFile_ = path;
    const QPixmap picture = LoadPicture(path, devicePixelRatioF());
    setPixmap(picture);
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressed_ = true;
    event->accept();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (event->button() == Qt::LeftButton && wasPressed && rect().contains(event->position().toPoint()))
        emit clicked();
    event->accept();
}

void PictureButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit clicked();
        event->accept();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void PictureButton::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (hasFocus()) {
        // A dotted focus mark around the picture for keyboard users.
        QPainter painter(this);
        QPen pen(Qt::black, 1, Qt::DotLine);
        painter.setPen(pen);
        const QRect area = pixmap().isNull() ? rect() : QRect(QPoint(0, 0), pixmap().deviceIndependentSize().toSize());
        painter.drawRect(area.adjusted(0, 0, -1, -1));
    }
}

}  // namespace corvane::ui
