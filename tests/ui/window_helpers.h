#pragma once

// Helpers the window tests share: acting on a modal window once it shows,
// and an event pump a test can act through during a trunk run.
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QTimer>

#include <functional>

#include "ui/event_pump.h"

namespace corvane::testing {

// Runs `step` on the modal window that is showing, once it shows.
inline void WhenModal(std::function<void(QWidget*)> step) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            step(modal);
        }
    });
    timer->start();
}

// True when the icon shows nothing at all.
inline bool ShowsNothing(const QIcon& icon) {
    const QImage image = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0) return false;
    return true;
}

// Lets the real event loop run and calls a hook on each pump, as a user
// acting during a trunk run would.
class ScriptedPump : public ui::EventPump {
public:
    std::function<void(int)> onPump;
    int count = 0;
    void ProcessPendingEvents() override {
        ++count;
        QCoreApplication::processEvents();
        if (onPump) onPump(count);
    }
};

}  // namespace corvane::testing
