// corvane-plan: staffs every interval of a forecast file with the staffing
// engine of the Corvane window.
#include <CLI/CLI.hpp>
#include <QGuiApplication>

#include <cstdint>
#include <exception>
#include <iostream>

#include "cli/cleanup_on_signal.h"
#include "cli/help_text.h"
#include "cli/plan_arguments.h"
#include "cli/plan_chart.h"
#include "cli/plan_run.h"
#include "plan/chart_series.h"

namespace {

using namespace corvane;

// A message on standard error, and the exit status that goes with it.
int Say(const std::string& text, int status) {
    std::cerr << "corvane-plan: " << text << '\n';
    return status;
}

Result<std::string, std::string> Chart(const plan::ChartSeries& series,
                                       const plan::PlanOptions& options, cli::ChartKind kind,
                                       int argc, char** argv) {
    // The chart is drawn off-screen: no display is needed or used.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about the session (no runtime directory, fonts) are not
    // the planner's business; standard error carries only this program's.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << "corvane-plan: " << text.toStdString() << '\n';
    });
    QGuiApplication app(argc, argv);
    const QByteArray chart = cli::RenderChart(series, options, kind);
    if (chart.isEmpty()) return Fail(std::string("the chart could not be drawn"));
    return chart.toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "Plans the agents of every interval of a forecast file (Erlang C, or Erlang A "
        "with --patience), with targets, shrinkage and a chart.",
        "corvane-plan"};
    app.footer(cli::kPlanHelpFooter);
    app.get_formatter()->column_width(26);
    cli::PlanArguments arguments;
    cli::DeclareOptions(app, arguments);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::ValidationError& e) {  // names the option and the value
        return Say(e.what(), cli::kExitBadInput);
    } catch (const CLI::ParseError& e) {
        return Say(std::string(e.what()) + "\n(corvane-plan --help lists the options)",
                   cli::kExitBadInput);
    }
    if (const auto combined = cli::CheckCombinations(app); !combined)
        return Say(combined.Error(), cli::kExitBadInput);
    cli::InstallCleanupOnSignal();
    try {
        const auto run = cli::RunPlan(arguments, [&](const plan::ChartSeries& series) {
            return Chart(series, arguments.options, arguments.chartKind, argc, argv);
        });
        if (!run) return Say(run.Error().message, run.Error().status);
        if (const std::int64_t outside = run.Value(); outside > 0)
            return Say(std::to_string(outside) + " interval(s) outside the usable range",
                       cli::kExitOutsideRange);
        return 0;
    } catch (const std::exception& e) {
        // The last resort: a clear message and a failure status, never a signal.
        return Say(std::string("the plan could not be made: ") + e.what(), cli::kExitWriteFailed);
    } catch (...) {
        return Say("the plan could not be made", cli::kExitWriteFailed);
    }
}
