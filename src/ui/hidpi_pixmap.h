#pragma once

#include <QPixmap>
#include <QString>

namespace corvane::ui {

// Loads a picture for a screen of the given device pixel ratio: above 1,
// the picture's double-size twin ("name@2x.ext") when one lies beside it,
// so the picture stays crisp; otherwise the picture itself. A missing or
// unreadable file gives a null pixmap.
QPixmap LoadPicture(const QString& path, qreal devicePixelRatio);

}  // namespace corvane::ui
