#include "ui/forecast_opener.h"

#include <QPointer>

#include "model/forecast_file.h"
#include "ui/plan_window.h"

namespace corvane::ui {

PlanWindow* OpenForecast(const QString& path, const MessageFunction& message,
                         const QString& helpFile) {
    const QString title = QStringLiteral("Open Forecast");
    auto read = model::ReadForecastFile(path.toStdString());
    if (!read) {
        message(QString::fromStdString(read.Error()), title);
        return nullptr;
    }
    auto forecast = std::make_shared<const plan::Forecast>(std::move(read.Value()));
    const model::PlanSettings settings;
    auto planned = model::MakePlan(*forecast, settings);
    if (!planned) {
        message(QString::fromStdString(planned.Error().message), title);
        return nullptr;
    }
    const auto first = std::make_shared<const model::PlanOutcome>(std::move(planned.Value()));
    return new PlanWindow(
        path, std::move(forecast), settings, first,
        [helpFile](const QString& next) { OpenAndShow(next, nullptr, helpFile); }, helpFile);
}

void OpenAndShow(const QString& path, QWidget* messageParent, const QString& helpFile) {
    if (PlanWindow* window = OpenForecast(path, PlatformMessageBox(messageParent), helpFile)) {
        window->show();
        window->raise();
        window->activateWindow();
    }
}

void OpenArguments(const QStringList& arguments, QWidget* messageParent, const QString& helpFile) {
    for (const QString& file : arguments.mid(1))
        if (!file.startsWith(QLatin1Char('-'))) OpenAndShow(file, messageParent, helpFile);
}

}  // namespace corvane::ui
