#include "ui/hidpi_pixmap.h"

#include <QFile>
#include <QFileInfo>

namespace corvane::ui {

QPixmap LoadPicture(const QString& path, qreal devicePixelRatio) {
    QPixmap picture;
    if (devicePixelRatio > 1.0) {
        const QFileInfo info(path);
        const QString twin = info.path() + QLatin1Char('/') + info.completeBaseName() +
                             QStringLiteral("@2x.") + info.suffix();
        if (QFile::exists(twin) && picture.load(twin)) {
            picture.setDevicePixelRatio(2.0);
            return picture;
        }
    }
    if (!picture.load(path)) return QPixmap();
    return picture;
}

}  // namespace corvane::ui
