// The menu commands and the wiring of buttons and fields to their handlers.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <optional>
#include <utility>

#include "model/window_commands.h"
#include "output/clipboard_copy.h"
#include "output/report_printer.h"
#include "ui/focus_validation.h"
#include "ui/form1.h"
#include "ui/about_dialog.h"
#include "ui/picture_button.h"

namespace corvane::ui {

void Form1::wireEvents() {
    const std::pair<PictureButton*, model::View> pictures[] = {
        {picCorvane, model::View::None},
        {picStaff, model::View::Agents},
        {picDelays, model::View::Delays},
        {picTrunks, model::View::Trunks},
    };
    for (const auto& [picture, view] : pictures)
        connect(picture, &PictureButton::clicked, this, [this, view = view] { setView(view); });
    connect(btnCalculate, &QPushButton::clicked, this, [this] { calculateStaffing(); });
    connect(btnTrunks, &QPushButton::clicked, this, [this] { calculateTrunks(); });
    connect(btnCancelTrunks, &QPushButton::clicked, this, [this] { cancelTrunks(); });

    using Kind = model::WindowField::Kind;
    const std::pair<QLineEdit*, Kind> staffing[] = {
        {txtTalk, Kind::Talk}, {txtAcw, Kind::Acw}, {txtCalls, Kind::Calls}, {txtSlo, Kind::Slo}};
    for (const auto& [field, kind] : staffing)
        validation_->setLeaveCheck(field, [this, field = field, kind = kind] {
            return validateField(field, {kind, 0});
        });
    for (int i = 0; i < model::kTrunkGroups; ++i) {
        QLineEdit* erlangs = txtErlang[static_cast<std::size_t>(i)];
        QLineEdit* busy = txtBusy[static_cast<std::size_t>(i)];
        validation_->setLeaveCheck(erlangs, [this, erlangs, i] {
            return validateField(erlangs, {Kind::Erlangs, i});
        });
        validation_->setLeaveCheck(busy, [this, busy, i] {
            return validateField(busy, {Kind::Busy, i});
        });
    }
    validation_->setEntryCheck(btnCalculate, [this] { return staffingFieldsFilled(); });
    // Cancel must always work, whatever a field holds.
    validation_->skipValidation(btnCancelTrunks);

    for (QLineEdit* field : {txtTalk, txtAcw, txtCalls, txtSlo}) field->installEventFilter(this);
    for (std::size_t i = 0; i < model::kTrunkGroups; ++i) {
        txtErlang[i]->installEventFilter(this);
        txtBusy[i]->installEventFilter(this);
    }
    btnCalculate->installEventFilter(this);
}

void Form1::calculate() {
    // Every failure here is silent; the runs report their own.
    const model::Command command = model::CalculateCommand(model_.view);
    if (command == model::Command::None || !validation_->validateFocused()) return;
    if (command == model::Command::TrunkRun)
        calculateTrunks();
    else
        calculateStaffing();
}

void Form1::clear() {
    if (model::ClearCommand(model_.view) == model::Command::ClearTrunks)
        clearTrunks();
    else
        clearStaffing();
}

void Form1::closeWindow() { close(); }

namespace {

// The report of a view as output takes it; the opening view has none.
std::optional<output::Report> ReportOf(const model::WindowModel& m) {
    const model::ReportLines* lines = m.reports.Of(m.view);
    if (!lines) return std::nullopt;
    output::Report report{QString::fromLatin1(model::kReportHeading), {}};
    for (const std::string& line : *lines) report.lines << QString::fromStdString(line);
    return report;
}

}  // namespace

void Form1::print() {
    const auto report = ReportOf(model_);
    output::PrintReport(report ? &*report : nullptr, *printDialog_);
}

void Form1::copyToClipboard() {
    // The opening view copies the heading alone.
    const output::Report report =
        ReportOf(model_).value_or(output::Report{QString::fromLatin1(model::kReportHeading), {}});
    output::CopyToClipboard(
        report, QGuiApplication::clipboard(),
        [this](const QString& text, const QString& title) { message(text, title); });
}

void Form1::showHelp() {
    // The same as pressing F1 in the window; handled before this returns.
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &f1);
}

void Form1::showAbout() {
    AboutDialog about(this);
    about.exec();
}

}  // namespace corvane::ui
