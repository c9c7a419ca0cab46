#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "model/plan_outcome.h"
#include "model/plan_settings.h"
#include "plan/forecast.h"

namespace corvane::ui {

// Plans a forecast on a worker thread, so a year re-plans while the window
// goes on answering. Only the newest request counts: one not yet started is
// replaced, and a shift solve under way is cancelled for it.
class PlanRunner : public QObject {
    Q_OBJECT

public:
    explicit PlanRunner(QObject* parent = nullptr);
    ~PlanRunner() override;

    void Start(std::shared_ptr<const plan::Forecast> forecast, model::PlanSettings settings);
    // Drops the newest request, Refused at once as cancelled, and stops
    // its shift solve.
    void Cancel();
    // Between Start and the newest request's Planned or Refused.
    bool Busy() const { return busy_; }

signals:
    // A shift solve's best plan's cost (none yet: `hasBest` false) and bound.
    void Progress(double best, double bound, bool hasBest);
    void Planned(std::shared_ptr<const model::PlanOutcome> outcome);
    void Refused(const QString& message, bool cancelled);

private:
    struct Job {
        std::shared_ptr<const plan::Forecast> forecast;
        model::PlanSettings settings;
        int generation = 0;
    };
    void Work();
    // Hands `deliver` to the window's thread, for the newest request only.
    template <class Deliver>
    void Post(int generation, Deliver deliver);

    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Job> pending_;
    bool quit_ = false;
    std::atomic<bool> cancel_{false};
    std::atomic<int> generation_{0};
    bool busy_ = false;
    std::thread thread_;
};

}  // namespace corvane::ui
