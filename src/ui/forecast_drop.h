#pragma once

#include <QStringList>

class QDragEnterEvent;
class QDropEvent;

namespace corvane::ui {

// Files dragged onto a window: accepted when they are local files, which
// it opens as forecasts.
void AcceptForecastDrag(QDragEnterEvent* event);
QStringList DroppedForecasts(QDropEvent* event);

}  // namespace corvane::ui
