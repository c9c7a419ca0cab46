// The four staffing fields, their checks, the blank check of the Calculate
// button, Clear Staffing and the staffing run.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <array>

#include "calc/number_parse.h"
#include "model/staffing_run.h"
#include "model/window_commands.h"
#include "ui/form1.h"

namespace corvane::ui {

bool Form1::ValidateField(QLineEdit* field, model::WindowField which) {
    const model::FieldCheck check =
        model_.CheckAndStore(which, field->text().toStdString(), Marks());
    if (check.rewrite) field->setText(QString::fromStdString(*check.rewrite));
    if (check.message)
        Message(QString::fromStdString(*check.message), QString::fromLatin1(which.Input().title));
    // The focus stays on a refused entry, selected whole so that typing
    // replaces it rather than adding to it.
    if (!check.accepted) field->selectAll();
    return check.accepted;
}

bool Form1::StaffingFieldsFilled() {
    const std::array<QLineEdit*, 4> fields{talkField_, acwField_, callsField_, sloField_};
    std::array<std::string, 4> texts;
    for (std::size_t i = 0; i < fields.size(); ++i) texts[i] = fields[i]->text().toStdString();
    const auto blank = model::FirstBlankStaffingField(texts);
    if (!blank) return true;
    Message(QString::fromStdString(blank->message.text),
            QString::fromStdString(blank->message.title));
    // The focus cannot move to a hidden field; that is not reported.
    if (fields[blank->index]->isVisible()) fields[blank->index]->setFocus(Qt::OtherFocusReason);
    return false;
}

void Form1::ClearStaffing() {
    talkField_->setText(QString());
    acwField_->setText(talkField_->text());
    callsField_->setText(talkField_->text());
    sloField_->setText(talkField_->text());
    model_.ClearStaffing();
    ShowStaffingReports();
    // Before the window shows, or in the opening view, the field cannot
    // take the focus; that is expected and silent.
    if (talkField_->isVisible()) talkField_->setFocus(Qt::OtherFocusReason);
}

void Form1::CalculateStaffing() {
    const StaffingEcho echo{talkField_->text().toStdString(), acwField_->text().toStdString(),
                            callsField_->text().toStdString(), sloField_->text().toStdString()};
    const auto failure = model::RunStaffing(echo, model_.staffing, Marks(), model_.reports);
    ShowStaffingReports();
    if (failure)
        Message(QString::fromStdString(failure->text), QString::fromStdString(failure->title));
}

void Form1::ShowLines(QListWidget* list, const model::ReportLines& lines) {
    list->clear();
    for (const std::string& line : lines) list->addItem(QString::fromStdString(line));
}

void Form1::ShowStaffingReports() {
    ShowLines(agentsList_, model_.reports.agents);
    ShowLines(delaysList_, model_.reports.delays);
}

}  // namespace corvane::ui
