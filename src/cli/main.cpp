// corvane-plan: staffs every interval of a forecast file with the staffing
// engine of the Corvane window.
#include <CLI/CLI.hpp>
#include <QGuiApplication>

#include <exception>
#include <iostream>

#include "cli/cleanup_on_signal.h"
#include "cli/help_text.h"
#include "cli/input_file.h"
#include "cli/output_file.h"
#include "cli/plan_arguments.h"
#include "cli/plan_chart.h"
#include "plan/chart_series.h"
#include "plan/forecast_csv.h"
#include "plan/plan_output.h"
#include "plan/streamed_plan.h"

namespace {

using namespace corvane;

constexpr int kExitWriteFailed = 1;
constexpr int kExitBadInput = 2;
constexpr int kExitOutsideRange = 3;

// A message on standard error, and the exit status that goes with it.
int Say(const std::string& text, int status) {
    std::cerr << "corvane-plan: " << text << '\n';
    return status;
}

QByteArray Chart(const plan::ChartSeries& series, const plan::PlanOptions& options,
                 cli::ChartKind kind, int argc, char** argv) {
    // The chart is drawn off-screen: no display is needed or used.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about the session (no runtime directory, fonts) are not
    // the planner's business; standard error carries only this program's.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << "corvane-plan: " << text.toStdString() << '\n';
    });
    QGuiApplication app(argc, argv);
    return cli::RenderChart(series, options, kind);
}

// Reads the forecast once to check and plan it, draws the chart, then reads
// it again and writes the plan a row at a time. Every output is put in place
// only once all of them are written; bad input writes nothing.
int Run(const cli::PlanArguments& a, int argc, char** argv) {
    const std::string name = a.input == "-" ? "standard input" : a.input;
    const plan::ForecastDefaults defaults{a.options.talk, a.options.acw};
    cli::InputFile input(a.input, name);
    const auto writer = plan::MakePlanWriter(a.format, a.options, name);
    plan::StreamedPlan planned(a.options);
    plan::ChartSeries series;
    {
        plan::ForecastReader reader(input.FirstPass(), name, defaults);
        planned.FirstPass(reader, [&](const plan::IntervalPlan& p) {
            writer->Measure(p);
            if (a.chartPath) series.Add(p);
        });
    }

    cli::OutputFile chartFile;
    if (a.chartPath) {
        const QByteArray chart = Chart(series, a.options, a.chartKind, argc, argv);
        if (chart.isEmpty()) throw cli::WriteError(*a.chartPath + ": the chart could not be drawn");
        chartFile.Open(*a.chartPath);
        chartFile.Write({chart.constData(), static_cast<std::size_t>(chart.size())});
    }
    cli::OutputFile planFile;
    if (a.outputPath)
        planFile.Open(*a.outputPath);
    else
        planFile.OpenStandardOutput();
    planFile.Write(writer->Head());
    const auto write = [&](const plan::IntervalPlan& p) { planFile.Write(writer->Row(p)); };
    if (planned.KeptWhole()) {
        planned.SecondPass(write);
    } else {
        plan::ForecastReader reader(input.SecondPass(), name, defaults);
        planned.SecondPass(reader, write);
    }
    planFile.Write(writer->Tail(planned.Totals()));
    if (a.chartPath) chartFile.Commit();
    planFile.Commit();

    if (const auto outside = planned.Totals().OutsideRange(); outside > 0)
        return Say(std::to_string(outside) + " interval(s) outside the usable range",
                   kExitOutsideRange);
    return 0;
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
        return Say(e.what(), kExitBadInput);
    } catch (const CLI::ParseError& e) {
        return Say(std::string(e.what()) + "\n(corvane-plan --help lists the options)",
                   kExitBadInput);
    }
    cli::InstallCleanupOnSignal();
    try {
        cli::CheckCombinations(app);
        return Run(arguments, argc, argv);
    } catch (const plan::MissingTalkError& e) {
        return Say(std::string(e.what()) + " (give the talk time with --talk)", kExitBadInput);
    } catch (const plan::PlanInputError& e) {
        return Say(e.what(), kExitBadInput);
    } catch (const cli::WriteError& e) {
        return Say(e.what(), kExitWriteFailed);
    } catch (const std::exception& e) {
        // The last resort: a clear message and a failure status, never a signal.
        return Say(std::string("the plan could not be made: ") + e.what(), kExitWriteFailed);
    } catch (...) {
        return Say("the plan could not be made", kExitWriteFailed);
    }
}
