#pragma once

#include <functional>
#include <optional>

#include <QString>

#include "input/label_time.h"

class QWidget;

namespace corvane::ui {

// What the window asks when a forecast cannot be read without the planner:
// the order of its dates, or the handle time of a file without one. Each
// gives nothing when the planner cancels, and an empty one is never asked:
// the message is shown instead. Tests stand in for the dialogs.
struct ReadQuestions {
    std::function<std::optional<input::DateOrder>(const QString& why)> dateOrder;
    std::function<std::optional<long>(const QString& why)> handleTime;  // seconds
};

// The real ones: a choice and a number entry over `parent`.
ReadQuestions PlatformQuestions(QWidget* parent);

}  // namespace corvane::ui
