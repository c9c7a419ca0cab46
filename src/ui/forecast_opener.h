#pragma once

#include <QString>
#include <QStringList>

#include "ui/message_box.h"
#include "ui/read_questions.h"

class QWidget;

namespace corvane::ui {

class PlanWindow;

// Reads and plans a forecast and shows it in a new plan window, or says in
// a message why it cannot (naming the file, line and column) and opens
// nothing. What the file cannot tell (the order of its dates, a handle time)
// is asked with `questions`. The window is the caller's to show.
PlanWindow* OpenForecast(const QString& path, const MessageFunction& message,
                         const QString& helpFile, const ReadQuestions& questions = {});

// Forecasts the four weeks after the history at `path` and shows the
// forecast planned in a new plan window (which can save the forecast), or
// says why not; the same questions as for a forecast.
PlanWindow* OpenHistory(const QString& path, const MessageFunction& message,
                        const QString& helpFile, const ReadQuestions& questions = {});
void OpenHistoryAndShow(const QString& path, QWidget* messageParent, const QString& helpFile);

// What the program does with a file it is asked to open: a plan window,
// shown, or the message.
void OpenAndShow(const QString& path, QWidget* messageParent, const QString& helpFile);

// "corvane FILE.csv": each file named among the program's arguments (the
// first is the program) opens in a plan window.
void OpenArguments(const QStringList& arguments, QWidget* messageParent, const QString& helpFile);

}  // namespace corvane::ui
