#include "ui/forecast_opener.h"

#include <QPointer>

#include <functional>
#include <optional>

#include "model/forecast_file.h"
#include "model/history_forecast.h"
#include "ui/plan_window.h"

namespace corvane::ui {

namespace {

// A forecast read or made, asking the planner what the file cannot tell;
// nothing after a message saying why.
template <class Made>
std::optional<Made> Asking(const MessageFunction& message, const ReadQuestions& questions,
                           const QString& title,
                           const std::function<Result<Made, input::PlanFault>(
                               const input::ForecastDefaults&)>& make) {
    input::ForecastDefaults defaults;
    for (;;) {
        auto made = make(defaults);
        if (made) return std::move(made.Value());
        const input::PlanFault& fault = made.Error();
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

// The plan of a forecast read, in a new window; nothing after a message.
PlanWindow* PlanIn(const QString& path, model::ForecastRead read, const MessageFunction& message,
                   const QString& helpFile, const QString& title) {
    auto forecast = std::make_shared<const input::Forecast>(std::move(read.forecast));
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
    for (const std::string& n : read.notices) notices << QString::fromStdString(n);
    window->SetNotices(notices);
    return window;
}

void Show(PlanWindow* window) {
    if (!window) return;
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

PlanWindow* OpenForecast(const QString& path, const MessageFunction& message,
                         const QString& helpFile, const ReadQuestions& questions) {
    const QString title = QStringLiteral("Open Forecast");
    auto read = Asking<model::ForecastRead>(
        message, questions, title, [&](const input::ForecastDefaults& defaults) {
            return model::ReadForecastFile(path.toStdString(), defaults);
        });
    if (!read) return nullptr;
    return PlanIn(path, std::move(*read), message, helpFile, title);
}

PlanWindow* OpenHistory(const QString& path, const MessageFunction& message,
                        const QString& helpFile, const ReadQuestions& questions) {
    const QString title = QStringLiteral("Forecast from History");
    auto made = Asking<model::HistoryForecast>(
        message, questions, title, [&](const input::ForecastDefaults& defaults) {
            return model::ForecastFromHistory(path.toStdString(), defaults.dateOrder,
                                              defaults.talk);
        });
    if (!made) return nullptr;
    PlanWindow* window = PlanIn(path, std::move(made->read), message, helpFile, title);
    if (window) window->SetForecastFromHistory(QByteArray::fromStdString(made->csv));
    return window;
}

void OpenAndShow(const QString& path, QWidget* messageParent, const QString& helpFile) {
    Show(OpenForecast(path, PlatformMessageBox(messageParent), helpFile,
                      PlatformQuestions(messageParent)));
}

void OpenHistoryAndShow(const QString& path, QWidget* messageParent, const QString& helpFile) {
    Show(OpenHistory(path, PlatformMessageBox(messageParent), helpFile,
                     PlatformQuestions(messageParent)));
}

void OpenArguments(const QStringList& arguments, QWidget* messageParent, const QString& helpFile) {
    for (const QString& file : arguments.mid(1))
        if (!file.startsWith(QLatin1Char('-'))) OpenAndShow(file, messageParent, helpFile);
}

}  // namespace corvane::ui
