// The menu commands and the wiring of buttons and fields to their handlers.
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <optional>
#include <utility>

#include "model/window_commands.h"
#include "model/window_messages.h"
#include "output/clipboard_copy.h"
#include "output/report_printer.h"
#include "ui/focus_validation.h"
#include "ui/forecast_drop.h"
#include "ui/forecast_opener.h"
#include "ui/form1.h"
#include "ui/about_dialog.h"
#include "ui/picture_button.h"

namespace corvane::ui {

void Form1::WireEvents() {
    const std::pair<PictureButton*, model::View> pictures[] = {
        {corvanePicture_, model::View::None},
        {staffPicture_, model::View::Agents},
        {delaysPicture_, model::View::Delays},
        {trunksPicture_, model::View::Trunks},
    };
    for (const auto& [picture, view] : pictures)
        connect(picture, &PictureButton::Clicked, this, [this, view = view] { SetView(view); });
    connect(calculateButton_, &QPushButton::clicked, this, [this] { CalculateStaffing(); });
    connect(trunksButton_, &QPushButton::clicked, this, [this] { CalculateTrunks(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { CancelTrunks(); });

    using Kind = model::WindowField::Kind;
    const std::pair<QLineEdit*, Kind> staffing[] = {{talkField_, Kind::Talk},
                                                    {acwField_, Kind::Acw},
                                                    {callsField_, Kind::Calls},
                                                    {sloField_, Kind::Slo}};
    for (const auto& [field, kind] : staffing)
        validation_->SetLeaveCheck(field, [this, field = field, kind = kind] {
            return ValidateField(field, {kind, 0});
        });
    for (int i = 0; i < model::kTrunkGroups; ++i) {
        QLineEdit* erlangs = erlangFields_[static_cast<std::size_t>(i)];
        QLineEdit* busy = busyFields_[static_cast<std::size_t>(i)];
        validation_->SetLeaveCheck(erlangs, [this, erlangs, i] {
            return ValidateField(erlangs, {Kind::Erlangs, i});
        });
        validation_->SetLeaveCheck(busy, [this, busy, i] {
            return ValidateField(busy, {Kind::Busy, i});
        });
    }
    validation_->SetEntryCheck(calculateButton_, [this] { return StaffingFieldsFilled(); });
    // Cancel must always work, whatever a field holds.
    validation_->SkipValidation(cancelButton_);

    for (QLineEdit* field : {talkField_, acwField_, callsField_, sloField_})
        field->installEventFilter(this);
    for (std::size_t i = 0; i < model::kTrunkGroups; ++i) {
        erlangFields_[i]->installEventFilter(this);
        busyFields_[i]->installEventFilter(this);
    }
    calculateButton_->installEventFilter(this);
}

void Form1::Calculate() {
    // Every failure here is silent; the runs report their own.
    const model::Command command = model::CalculateCommand(model_.view);
    if (command == model::Command::None || !validation_->ValidateFocused()) return;
    if (command == model::Command::TrunkRun)
        CalculateTrunks();
    else
        CalculateStaffing();
}

void Form1::Clear() {
    if (model::ClearCommand(model_.view) == model::Command::ClearTrunks)
        ClearTrunks();
    else
        ClearStaffing();
}

void Form1::CloseWindow() { close(); }

void Form1::OpenForecastFile() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open Forecast"), QString(),
        QStringLiteral("Forecasts (*.csv *.txt);;All files (*)"));
    if (!path.isEmpty()) OpenAndShow(path, this, helpFile_);
}

void Form1::ForecastFromHistory() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Forecast from History"), QString(),
        QStringLiteral("Histories of calls (*.csv *.txt);;All files (*)"));
    if (!path.isEmpty()) OpenHistoryAndShow(path, this, helpFile_);
}

void Form1::dragEnterEvent(QDragEnterEvent* event) { AcceptForecastDrag(event); }

void Form1::dropEvent(QDropEvent* event) {
    for (const QString& path : DroppedForecasts(event)) OpenAndShow(path, this, helpFile_);
}

namespace {

// The report of a view as output takes it; the opening view has none.
std::optional<output::Report> ReportOf(const model::WindowModel& m) {
    const model::ReportLines* lines = m.reports.Of(m.view);
    if (!lines) return std::nullopt;
    output::Report report = output::ReportHeaded(QString::fromLatin1(model::kReportHeading));
    for (const std::string& line : *lines) report.lines << QString::fromStdString(line);
    return report;
}

}  // namespace

void Form1::Print() {
    const auto report = ReportOf(model_);
    // The window says nothing when the printer fails: the command just ends.
    static_cast<void>(output::PrintReport(report ? &*report : nullptr, *printDialog_));
}

void Form1::CopyToClipboard() {
    // The opening view copies the heading alone.
    const output::Report report =
        ReportOf(model_).value_or(output::ReportHeaded(QString::fromLatin1(model::kReportHeading)));
    const model::RunMessage shown =
        model::ClipboardOutcome(output::CopyToClipboard(report, QGuiApplication::clipboard()));
    Message(QString::fromStdString(shown.text), QString::fromStdString(shown.title));
}

void Form1::ShowHelp() {
    // The same as pressing F1 in the window; handled before this returns.
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &f1);
}

void Form1::ShowAbout() {
    AboutDialog about(this);
    about.exec();
}

}  // namespace corvane::ui
