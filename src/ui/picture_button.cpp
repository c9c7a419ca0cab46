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

void PictureButton::SetCaption(const QString& caption) {
    caption_ = caption;
    setAccessibleName(caption);
}

void PictureButton::SetPictureFile(const QString& path, bool down) {
    pictureFile_ = path;
    down_ = down;
    const QPixmap picture = LoadPicture(path, devicePixelRatioF());
    if (picture.isNull())
        clear();
    else
        setPixmap(picture);
    update();
}

void PictureButton::PaintCaption(QPainter& painter) {
    // A plain button face in the picture's place: raised, or sunken and
    // dark for the view that is showing.
    const QRect face = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(face, down_ ? QColor(0x1f, 0x2a, 0x5c) : QColor(0xe8, 0xec, 0xf8));
    painter.setPen(down_ ? QColor(0x0a, 0x10, 0x30) : Qt::white);
    painter.drawLine(face.topLeft(), face.topRight());
    painter.drawLine(face.topLeft(), face.bottomLeft());
    painter.setPen(down_ ? Qt::white : QColor(0x40, 0x48, 0x70));
    painter.drawLine(face.bottomLeft(), face.bottomRight());
    painter.drawLine(face.topRight(), face.bottomRight());
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(down_ ? Qt::white : QColor(0x1f, 0x2a, 0x5c));
    painter.drawText(face.translated(down_ ? 1 : 0, down_ ? 1 : 0), Qt::AlignCenter, caption_);
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressed_ = true;
    event->accept();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (event->button() == Qt::LeftButton && wasPressed &&
        rect().contains(event->position().toPoint()))
        emit Clicked();
    event->accept();
}

void PictureButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit Clicked();
            event->accept();
            return;
        default: QLabel::keyPressEvent(event);
    }
}

void PictureButton::paintEvent(QPaintEvent* event) {
    if (ShowsCaption()) {
        QPainter painter(this);
        PaintCaption(painter);
    } else {
        QLabel::paintEvent(event);
    }
    if (hasFocus()) {
        // A dotted focus mark around the picture for keyboard users.
        QPainter painter(this);
        QPen pen(Qt::black, 1, Qt::DotLine);
        painter.setPen(pen);
        const QRect area = pixmap().isNull()
                               ? rect()
                               : QRect(QPoint(0, 0), pixmap().deviceIndependentSize().toSize());
        painter.drawRect(area.adjusted(0, 0, -1, -1));
    }
}

}  // namespace corvane::ui
