#include "ui/forecast_opener.h"

#include <QPointer>

#include <optional>

#include "model/forecast_file.h"
#include "ui/plan_window.h"

namespace corvane::ui {

namespace {

// The forecast read, asking the planner what the file cannot tell; nothing
// after a message saying why.
std::optional<model::ForecastRead> Read(const QString& path, const MessageFunction& message,
                                        const ReadQuestions& questions, const QString& title) {
    input::ForecastDefaults defaults;
    for (;;) {
        auto read = model::ReadForecastFile(path.toStdString(), defaults);
        if (read) return std::move(read.Value());
        const input::PlanFault& fault = read.Error();
        const QString why = QString::fromStdString(fault.message);
        using Kind = input::PlanFault::Kind;
        if (fault.kind == Kind::DateOrderUnknown && questions.dateOrder &&
            defaults.dateOrder == input::DateOrder::Unknown) {
            const auto order = questions.dateOrder(why);
            if (!order) return std::nullopt;
            defaults.dateOrder = *order;
            continue;
        }
        if (fault.kind == Kind::NoTalkTime && questions.handleTime && !defaults.talk) {
            const auto seconds = questions.handleTime(why);
            if (!seconds) return std::nullopt;
            defaults.talk = *seconds;
            continue;
        }
        message(why + (fault.kind == Kind::NoTalkTime
                           ? QStringLiteral(" (the window plans forecasts that give their talk time)")
                           : QString()),
                title);
        return std::nullopt;
    }
}

}  // namespace

PlanWindow* OpenForecast(const QString& path, const MessageFunction& message,
                         const QString& helpFile, const ReadQuestions& questions) {
    const QString title = QStringLiteral("Open Forecast");
    auto read = Read(path, message, questions, title);
    if (!read) return nullptr;
    auto forecast = std::make_shared<const input::Forecast>(std::move(read->forecast));
    const model::PlanSettings settings;
    auto planned = model::MakePlan(*forecast, settings);
    if (!planned) {
        message(QString::fromStdString(planned.Error().message), title);
        return nullptr;
    }
    const auto first = std::make_shared<const model::PlanOutcome>(std::move(planned.Value()));
    auto* window = new PlanWindow(
        path, std::move(forecast), settings, first,
        [helpFile](const QString& next) { OpenAndShow(next, nullptr, helpFile); }, helpFile);
    QStringList notices;
    for (const std::string& n : read->notices) notices << QString::fromStdString(n);
    window->SetNotices(notices);
    return window;
}

void OpenAndShow(const QString& path, QWidget* messageParent, const QString& helpFile) {
    if (PlanWindow* window = OpenForecast(path, PlatformMessageBox(messageParent), helpFile,
                                          PlatformQuestions(messageParent))) {
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
