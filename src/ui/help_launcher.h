#pragma once

#include <QPointer>
#include <QString>

#include "ui/message_box.h"

class QWidget;

namespace corvane::ui {

class HelpViewer;

// Opens the help file in the program's help window, or says plainly why
// it cannot.
class HelpLauncher {
public:
    HelpLauncher(QWidget* owner, MessageFunction message);
    ~HelpLauncher();

    // At `topic` ("/plan.htm") when given, else at the file's start page.
    void Open(const QString& helpFile, const QString& topic = {});

private:
    QWidget* owner_;
    MessageFunction message_;
    QPointer<HelpViewer> viewer_;
};

}  // namespace corvane::ui
