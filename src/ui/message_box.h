#pragma once

#include "output/message_function.h"

class QWidget;

namespace corvane::ui {

using output::MessageFunction;

// The real one: a QMessageBox over `parent`, its title bar with a close
// button only and no icon. An empty title stays empty.
MessageFunction PlatformMessageBox(QWidget* parent);

}  // namespace corvane::ui
