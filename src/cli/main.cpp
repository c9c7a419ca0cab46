// corvane-plan: staffs every interval of a forecast file with the staffing
// engine of the Corvane window.
#include <CLI/CLI.hpp>
#include <QGuiApplication>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "cli/help_text.h"
#include "cli/output_file.h"
#include "cli/plan_arguments.h"
#include "cli/plan_chart.h"
#include "plan/day_plan.h"
#include "plan/forecast_csv.h"
#include "plan/plan_output.h"

namespace {

using namespace corvane;

constexpr int kExitWriteFailed = 1;
constexpr int kExitBadInput = 2;
constexpr int kExitOutsideRange = 3;

std::string ReadInput(const std::string& path) {
    if (path == "-") {
        std::ostringstream all;
        all << std::cin.rdbuf();
        return all.str();
    }
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw plan::PlanInputError(path + ": is a directory, not a forecast file");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw plan::PlanInputError(path + ": cannot open: " + std::strerror(errno));
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw plan::PlanInputError(path + ": cannot read: " + std::strerror(errno));
    return content;
}

std::string Render(const plan::DayPlan& plan, const cli::PlanArguments& a,
                   const std::string& name) {
    switch (a.format) {
        case cli::OutputFormat::Csv: return plan::PlanCsv(plan);
        case cli::OutputFormat::Json: return plan::PlanJson(plan, name);
        case cli::OutputFormat::Text: break;
    }
    return plan::PlanText(plan, name);
}

QByteArray Chart(const plan::DayPlan& plan, cli::ChartKind kind, int argc, char** argv) {
    // The chart is drawn off-screen: no display is needed or used.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about the session (no runtime directory, fonts) are not
    // the planner's business; standard error carries only this program's.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << "corvane-plan: " << text.toStdString() << '\n';
    });
    QGuiApplication app(argc, argv);
    return cli::RenderChart(plan, kind);
}

int Run(const cli::PlanArguments& a, int argc, char** argv) {
    const std::string name = a.input == "-" ? "standard input" : a.input;
    const plan::Forecast forecast =
        plan::ReadForecast(ReadInput(a.input), name, {a.options.talk, a.options.acw});
    const plan::DayPlan plan = plan::PlanDay(forecast, a.options);
    const std::string text = Render(plan, a, name);

    // Both files are written aside first and put in place together.
    cli::PendingFile outputFile;
    cli::PendingFile chartFile;
    std::string error;
    if (a.chartPath) {
        const QByteArray chart = Chart(plan, a.chartKind, argc, argv);
        error = chart.isEmpty()
                    ? *a.chartPath + ": the chart could not be drawn"
                    : chartFile.Prepare(*a.chartPath, {chart.constData(),
                                                       static_cast<std::size_t>(chart.size())});
    }
    if (error.empty() && a.outputPath) error = outputFile.Prepare(*a.outputPath, text);
    if (error.empty() && a.chartPath) error = chartFile.Commit();
    if (error.empty() && a.outputPath) error = outputFile.Commit();
    if (!error.empty()) {
        std::cerr << "corvane-plan: " << error << '\n';
        return kExitWriteFailed;
    }
    if (!a.outputPath) {
        std::cout << text << std::flush;
        if (!std::cout) {
            std::cerr << "corvane-plan: standard output: cannot write\n";
            return kExitWriteFailed;
        }
    }
    if (plan.totals.outsideRange > 0) {
        std::cerr << "corvane-plan: " << plan.totals.outsideRange
                  << " interval(s) outside the usable range\n";
        return kExitOutsideRange;
    }
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
    cli::RawArguments raw;
    app.add_option("FILE", raw.input, "forecast CSV file, or - for standard input")->required();
    app.add_option("--sl", raw.sl, "target: P % of calls answered within S seconds (default 80/20)")
        ->type_name("P/S");
    app.add_option("--asa", raw.asa, "also require an average speed of answer of at most S seconds")
        ->type_name("S");
    app.add_option("--max-occupancy", raw.maxOccupancy, "also require an occupancy of at most P %")
        ->type_name("P");
    app.add_option("--shrinkage", raw.shrinkage,
                   "share of paid time away from the phones, 0 <= P < 100 (default 0)")
        ->type_name("P");
    app.add_option("--interval", raw.interval,
                   "interval length in minutes: 15, 30 or 60 (default 30)")
        ->type_name("M");
    app.add_option("--talk", raw.talk, "talk time in seconds for files without a talk column")
        ->type_name("S");
    app.add_option("--acw", raw.acw,
                   "after-call work in seconds for files without an acw column (default 0)")
        ->type_name("S");
    app.add_option("--patience", raw.patience,
                   "callers' mean patience in seconds, 1 to 32767: plan with Erlang A")
        ->type_name("S");
    app.add_option("--max-abandon", raw.maxAbandon,
                   "also require that at most P % of offered calls hang up (with --patience)")
        ->type_name("P");
    app.add_option("--format", raw.format, "text (default), csv or json")->type_name("F");
    app.add_option("-o", raw.output,
                   "write the plan to FILE (replaced only when the whole plan is written)")
        ->type_name("FILE");
    app.add_option("--chart", raw.chart, "draw the plan, .svg or .png by the file's extension")
        ->type_name("FILE");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::ParseError& e) {
        std::cerr << "corvane-plan: " << e.what() << "\n(corvane-plan --help lists the options)\n";
        return kExitBadInput;
    }
    try {
        return Run(cli::CheckArguments(raw), argc, argv);
    } catch (const plan::PlanInputError& e) {
        std::cerr << "corvane-plan: " << e.what() << '\n';
        return kExitBadInput;
    }
}
