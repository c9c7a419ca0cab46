#pragma once

namespace corvane::ui {

// Lets the window's pending events run (input and repaint) and returns.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void ProcessPendingEvents() = 0;
};

// The real one: runs Qt's event loop until nothing is queued.
class QtEventPump : public EventPump {
public:
    void ProcessPendingEvents() override;
};

}  // namespace corvane::ui
