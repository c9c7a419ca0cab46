#include "ui/event_pump.h"

#include <QCoreApplication>

namespace corvane::ui {

void QtEventPump::ProcessPendingEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace corvane::ui
