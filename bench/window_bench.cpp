// The plan window re-planning a year, as a planner sees it: an option
// changed, the plan made on the worker thread and shown (table, totals,
// chart painted). A 1 ms timer on the window's thread measures the longest
// the window went without answering meanwhile.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <fstream>
#include <memory>

#include "bench/year_forecast.h"
#include "ui/forecast_opener.h"
#include "ui/plan_runner.h"
#include "ui/plan_window.h"

namespace {

using corvane::model::PlanField;

void WindowYear(benchmark::State& state, bool erlangA) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("year.csv"));
    std::ofstream(path.toStdString()) << corvane::bench::YearCsv();
    std::unique_ptr<corvane::ui::PlanWindow> window(corvane::ui::OpenForecast(
        path, [](const QString&, const QString&) { std::abort(); }, QString()));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    QApplication::processEvents();
    const auto enter = [&](PlanField field, const QString& text) {
        QLineEdit* entry = window->Entry(field);
        entry->setText(text);
        emit entry->returnPressed();
    };
    if (erlangA) {
        enter(PlanField::Patience, QStringLiteral("180"));
        while (window->Runner()->Busy()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    double longest = 0;
    int shrinkage = 0;
    for (auto _ : state) {
        QElapsedTimer since;
        QTimer tick;
        tick.setInterval(1);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longest = std::max(longest, static_cast<double>(since.restart()));
        });
        since.start();
        tick.start();
        enter(PlanField::Shrinkage, QString::number(shrinkage = 30 - shrinkage));
        while (window->Runner()->Busy()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        window->repaint();  // the new chart and table on the screen
        longest = std::max(longest, static_cast<double>(since.elapsed()));
    }
    state.counters["longest_unanswered_ms"] = longest;
}
BENCHMARK_CAPTURE(WindowYear, erlang_c, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(WindowYear, erlang_a, true)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's notes on what it cannot do are not results.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
