#pragma once

#include <QObject>
#include <QString>

#include <memory>

#include "model/plan_outcome.h"
#include "model/plan_settings.h"
#include "input/forecast.h"

namespace corvane::ui {

// Plans a forecast on a worker thread, so a year re-plans while the window
// goes on answering. Only the newest request counts: one not yet started is
// replaced, and a shift solve under way is cancelled for it. A runner
// destroyed mid-solve leaves its worker to stop on its own at the solver's
// next event; its thread is joined once it has ended, and the program waits
// for such workers as its application object ends.
class PlanRunner : public QObject {
    Q_OBJECT

public:
    explicit PlanRunner(QObject* parent = nullptr);
    ~PlanRunner() override;

    void Start(std::shared_ptr<const input::Forecast> forecast, model::PlanSettings settings);
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
    struct Shared;
    static void Work(std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> shared_;
    bool busy_ = false;
};

// Waits for the workers of runners already destroyed.
void FinishPlanWorkers();
// How many of them are still at work (joining those that have ended).
int PlanWorkersLeft();

}  // namespace corvane::ui
