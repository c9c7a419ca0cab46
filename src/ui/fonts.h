#pragma once

#include <QFont>

namespace corvane::ui {

// Makes a free Tahoma face known to Qt where one is installed, so the
// window's captions have the metrics they were laid out for.
void RegisterTahoma();

// The window's font: Tahoma 8.25 pt, or a sane sans-serif without it.
QFont DefaultFont();

// The fixed-pitch font of the result lists: Courier New 8.25 pt or its
// metric-compatible substitute; never a proportional face.
QFont TableFont();

}  // namespace corvane::ui
