// corvane-chart: draws the chart of a plan for corvane-plan, which hands it
// the chart data on standard input and reads the SVG or PNG bytes from
// standard output. Only it loads Qt, so corvane-plan without --chart starts
// as fast as a plain program.
#include <QGuiApplication>

#include <cstring>
#include <iostream>
#include <iterator>
#include <string>

#include "chart/chart_render.h"

int main(int argc, char** argv) {
    using namespace corvane;
    if (argc != 2 || (std::strcmp(argv[1], "svg") != 0 && std::strcmp(argv[1], "png") != 0)) {
        std::cerr << "corvane-chart: usage: corvane-chart svg|png < chart-data\n";
        return 2;
    }
    const std::string input(std::istreambuf_iterator<char>(std::cin), {});
    const auto data = input::ReadChartData(input);
    if (!data) {
        std::cerr << "corvane-chart: " << data.Error() << '\n';
        return 2;
    }
    // Drawn off-screen: no display is needed or used.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about the session (no runtime directory, fonts) are not
    // the planner's business.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << "corvane-chart: " << text.toStdString() << '\n';
    });
    QGuiApplication app(argc, argv);
    const bool svg = std::strcmp(argv[1], "svg") == 0;
    const QByteArray chart =
        chart::RenderChart(data.Value(), svg ? input::ChartFormat::Svg : input::ChartFormat::Png);
    if (chart.isEmpty()) return 1;
    std::cout.write(chart.constData(), chart.size());
    std::cout.flush();
    return std::cout ? 0 : 1;
}
