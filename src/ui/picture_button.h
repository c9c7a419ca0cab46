#pragma once

#include <QLabel>

class QPainter;

namespace corvane::ui {

// A picture that acts as a button: clicked by the mouse, or by Space or
// Enter when it has the focus.
class PictureButton : public QLabel {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);

    // The button's name, drawn in its place when its picture cannot be read.
    void SetCaption(const QString& caption);

    // Shows the JPEG at `path`, read from disk now. `down` says whether the
    // picture shows the button pressed; when the file is missing or
    // unreadable the caption is drawn, raised or pressed to match.
    void SetPictureFile(const QString& path, bool down);
    QString PictureFile() const { return pictureFile_; }
    bool ShowsCaption() const { return pixmap().isNull(); }

signals:
    void Clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintCaption(QPainter& painter);

    QString pictureFile_;
    QString caption_;
    bool down_ = false;
    bool pressed_ = false;
};

}  // namespace corvane::ui
