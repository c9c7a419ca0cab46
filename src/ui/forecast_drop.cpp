#include "ui/forecast_drop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace corvane::ui {

namespace {

QStringList LocalFiles(const QMimeData* data) {
    QStringList out;
    if (!data || !data->hasUrls()) return out;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) out << url.toLocalFile();
    return out;
}

}  // namespace

void AcceptForecastDrag(QDragEnterEvent* event) {
    if (!LocalFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

QStringList DroppedForecasts(QDropEvent* event) {
    const QStringList files = LocalFiles(event->mimeData());
    if (!files.isEmpty()) event->acceptProposedAction();
    return files;
}

}  // namespace corvane::ui
