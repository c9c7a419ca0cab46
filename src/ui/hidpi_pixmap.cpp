#include "ui/hidpi_pixmap.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace corvane::ui {

namespace {

// Read from the file itself every time: the pixmap cache behind
// QPixmap::load would show an older picture replaced by one of the same
// size within the same second.
QPixmap ReadPicture(const QString& path) {
    QImageReader reader(path);
    const QImage image = reader.read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

}  // namespace

QPixmap LoadPicture(const QString& path, qreal devicePixelRatio) {
    if (devicePixelRatio > 1.0) {
        const QFileInfo info(path);
        const QString twin = info.path() + QLatin1Char('/') + info.completeBaseName() +
                             QStringLiteral("@2x.") + info.suffix();
        if (QFile::exists(twin)) {
            QPixmap picture = ReadPicture(twin);
            if (!picture.isNull()) {
                picture.setDevicePixelRatio(2.0);
                return picture;
            }
        }
    }
    return ReadPicture(path);
}

}  // namespace corvane::ui
