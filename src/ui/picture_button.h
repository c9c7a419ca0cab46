#pragma once

#include <QLabel>

namespace corvane::ui {

// A picture that acts as a button: clicked by the mouse, or by Space or
// Enter when it has the focus.
class PictureButton : public QLabel {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);

    // Shows the JPEG at `path`, read from disk now; a missing or unreadable
    // file leaves the button without a picture.
    void loadPicture(const QString& path);
    QString pictureFile() const { return pictureFile_; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString pictureFile_;
    bool pressed_ = false;
};

}  // namespace corvane::ui
