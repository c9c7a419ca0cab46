#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace corvane::ui {

// A modal message with an OK button only and no icon; the answer is never
// used. The window takes one of these, so tests can record what is shown.
using MessageFunction = std::function<void(const QString& text, const QString& title)>;

// The real one: a QMessageBox over `parent`, its title bar with a close
// button only and no icon. An empty title stays empty.
MessageFunction PlatformMessageBox(QWidget* parent);

}  // namespace corvane::ui
