#include "ui/plan_runner.h"

#include <QMetaObject>
#include <QPointer>

#include <chrono>

namespace corvane::ui {

namespace {

// The window hears of a solve's progress no oftener than this.
constexpr auto kProgressEvery = std::chrono::milliseconds(100);

}  // namespace

PlanRunner::PlanRunner(QObject* parent) : QObject(parent), thread_([this] { Work(); }) {}

PlanRunner::~PlanRunner() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
        pending_.reset();
    }
    cancel_ = true;
    wake_.notify_all();
    thread_.join();
}

void PlanRunner::Start(std::shared_ptr<const plan::Forecast> forecast,
                       model::PlanSettings settings) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        pending_ = Job{std::move(forecast), std::move(settings), ++generation_};
        cancel_ = true;
    }
    busy_ = true;
    wake_.notify_all();
}

void PlanRunner::Cancel() {
    cancel_ = true;
    if (!busy_) return;
    // The window goes back to its last plan at once; the solver stops at
    // its next event, and what it hands over then is dropped.
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        pending_.reset();
        ++generation_;
    }
    busy_ = false;
    emit Refused(QStringLiteral("the shift plan was cancelled"), true);
}

template <class Deliver>
void PlanRunner::Post(int generation, Deliver deliver) {
    QMetaObject::invokeMethod(
        this,
        [this, generation, deliver = std::move(deliver)] {
            if (generation == generation_) deliver();
        },
        Qt::QueuedConnection);
}

void PlanRunner::Work() {
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return quit_ || pending_; });
            if (quit_) return;
            job = std::move(*pending_);
            pending_.reset();
            cancel_ = false;
        }
        const int generation = job.generation;
        auto last = std::chrono::steady_clock::now() - kProgressEvery;
        const shifts::SolveWatch watch = [&](const shifts::SolveProgress& p) {
            const auto now = std::chrono::steady_clock::now();
            if (now - last >= kProgressEvery) {
                last = now;
                const double best = p.best.value_or(0);
                const bool hasBest = p.best.has_value();
                const double bound = p.bound;
                Post(generation, [this, best, bound, hasBest] { emit Progress(best, bound, hasBest); });
            }
            return !cancel_;
        };
        auto made = model::MakePlan(*job.forecast, job.settings, watch);
        if (made) {
            auto outcome = std::make_shared<const model::PlanOutcome>(std::move(made.Value()));
            Post(generation, [this, outcome] {
                busy_ = false;
                emit Planned(outcome);
            });
        } else {
            const bool cancelled = made.Error().kind == plan::PlanFault::Kind::Cancelled;
            const QString message = QString::fromStdString(made.Error().message);
            Post(generation, [this, message, cancelled] {
                busy_ = false;
                emit Refused(message, cancelled);
            });
        }
    }
}

}  // namespace corvane::ui
