#include "ui/plan_runner.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "shifts/cbc_solve.h"

namespace corvane::ui {

namespace {

// The window hears of a solve's progress no oftener than this.
constexpr auto kProgressEvery = std::chrono::milliseconds(100);

// The workers of destroyed runners, still finishing a solve: each is
// joined once it has ended (when a window next closes or the count is
// asked for), or as the program ends.
struct LeftWorker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> ended;
};
// A program that ends without FinishPlanWorkers still joins them.
struct LeftWorkers : std::vector<LeftWorker> {
    ~LeftWorkers() {
        for (LeftWorker& w : *this)
            if (w.thread.joinable()) w.thread.join();
    }
};
std::mutex leftMutex;
LeftWorkers leftWorkers;

// Joins the workers that have ended (or all, waiting); gives how many are
// left at work.
int JoinEndedWorkers(bool all) {
    std::vector<LeftWorker> ending;
    int working = 0;
    {
        const std::lock_guard<std::mutex> lock(leftMutex);
        for (auto it = leftWorkers.begin(); it != leftWorkers.end();) {
            if (all || *it->ended) {
                ending.push_back(std::move(*it));
                it = leftWorkers.erase(it);
            } else {
                ++working;
                ++it;
            }
        }
    }
    for (LeftWorker& w : ending) w.thread.join();
    return working;
}

}  // namespace

// What a runner and its worker share; the worker keeps it as long as it
// runs, the runner only as long as it lives.
struct PlanRunner::Shared {
    struct Job {
        std::shared_ptr<const input::Forecast> forecast;
        model::PlanSettings settings;
        int generation = 0;
    };

    std::mutex mutex;
    std::condition_variable wake;
    std::optional<Job> pending;
    PlanRunner* owner = nullptr;  // none once the runner is gone
    // The newest request's number: a job goes on only while it is its own,
    // so a Start, a Cancel or the runner's end stops the one under way
    // however it falls against the worker's taking it.
    std::atomic<int> generation{0};
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> ended = std::make_shared<std::atomic<bool>>(false);

    // Hands `deliver` to the window's thread for the newest request, while
    // the runner lives: it is called there only if it still does then (Qt
    // drops what was posted to an object destroyed).
    template <class Deliver>
    void Post(int from, Deliver deliver) {
        const std::lock_guard<std::mutex> lock(mutex);
        if (!owner) return;
        PlanRunner* runner = owner;
        QMetaObject::invokeMethod(
            runner,
            [runner, from, deliver = std::move(deliver)] {
                if (from == runner->shared_->generation) deliver(runner);
            },
            Qt::QueuedConnection);
    }
};

PlanRunner::PlanRunner(QObject* parent) : QObject(parent), shared_(std::make_shared<Shared>()) {
    static const bool finishing = [] {
        qAddPostRoutine(FinishPlanWorkers);
        return true;
    }();
    (void)finishing;
    shared_->owner = this;
    shared_->thread = std::thread([shared = shared_] {
        Work(shared);
        *shared->ended = true;
    });
}

PlanRunner::~PlanRunner() {
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->owner = nullptr;
        shared_->pending.reset();
        ++shared_->generation;
    }
    shared_->wake.notify_all();
    // A solve stops at the solver's next event, which can be a moment away:
    // the window closes now, and the worker ends by itself.
    JoinEndedWorkers(false);
    const std::lock_guard<std::mutex> lock(leftMutex);
    leftWorkers.push_back({std::move(shared_->thread), shared_->ended});
}

void FinishPlanWorkers() {
    JoinEndedWorkers(true);
    // And the solves they left to stop at the solver's next step.
    shifts::FinishSolves();
}

int PlanWorkersLeft() { return JoinEndedWorkers(false); }

void PlanRunner::Start(std::shared_ptr<const input::Forecast> forecast,
                       model::PlanSettings settings) {
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->pending = Shared::Job{std::move(forecast), std::move(settings), ++shared_->generation};
    }
    busy_ = true;
    shared_->wake.notify_all();
}

void PlanRunner::Cancel() {
    if (!busy_) return;
    // The window goes back to its last plan at once; the solver stops at
    // its next event, and what it hands over then is dropped.
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->pending.reset();
        ++shared_->generation;
    }
    busy_ = false;
    emit Refused(QStringLiteral("the shift plan was cancelled"), true);
}

void PlanRunner::Work(std::shared_ptr<Shared> shared) {
    for (;;) {
        Shared::Job job;
        {
            std::unique_lock<std::mutex> lock(shared->mutex);
            shared->wake.wait(lock, [&] { return !shared->owner || shared->pending; });
            if (!shared->owner) return;
            job = std::move(*shared->pending);
            shared->pending.reset();
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
                shared->Post(generation, [best, bound, hasBest](PlanRunner* r) {
                    emit r->Progress(best, bound, hasBest);
                });
            }
            return generation == shared->generation;
        };
        auto made = model::MakePlan(*job.forecast, job.settings, watch);
        if (made) {
            auto outcome = std::make_shared<const model::PlanOutcome>(std::move(made.Value()));
            shared->Post(generation, [outcome](PlanRunner* r) {
                r->busy_ = false;
                emit r->Planned(outcome);
            });
        } else {
            const bool cancelled = made.Error().kind == input::PlanFault::Kind::Cancelled;
            const QString message = QString::fromStdString(made.Error().message);
            shared->Post(generation, [message, cancelled](PlanRunner* r) {
                r->busy_ = false;
                emit r->Refused(message, cancelled);
            });
        }
    }
}

}  // namespace corvane::ui
