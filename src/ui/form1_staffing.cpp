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

bool Form1::validateField(QLineEdit* field, model::WindowField which) {
    const model::FieldCheck check =
        model_.CheckAndStore(which, field->text().toStdString(), marks());
    if (check.rewrite) field->setText(QString::fromStdString(*check.rewrite));
    if (check.message)
        message(QString::fromStdString(*check.message), QString::fromLatin1(which.Input().title));
    // The focus stays on a refused entry, selected whole so that typing
    // replaces it rather than adding to it.
    if (!check.accepted) field->selectAll();
    return check.accepted;
}

bool Form1::staffingFieldsFilled() {
    const std::array<QLineEdit*, 4> fields{txtTalk, txtAcw, txtCalls, txtSlo};
    std::array<std::string, 4> texts;
    for (std::size_t i = 0; i < fields.size(); ++i) texts[i] = fields[i]->text().toStdString();
    const auto blank = model::FirstBlankStaffingField(texts);
    if (!blank) return true;
    message(QString::fromStdString(blank->message.text),
            QString::fromStdString(blank->message.title));
    // The focus cannot move to a hidden field; that is not reported.
    if (fields[blank->index]->isVisible()) fields[blank->index]->setFocus(Qt::OtherFocusReason);
    return false;
}

void Form1::clearStaffing() {
    txtTalk->setText(QString());
    txtAcw->setText(txtTalk->text());
    txtCalls->setText(txtTalk->text());
    txtSlo->setText(txtTalk->text());
    model_.ClearStaffing();
    showStaffingReports();
    // Before the window shows, or in the opening view, the field cannot
    // take the focus; that is expected and silent.
    if (txtTalk->isVisible()) txtTalk->setFocus(Qt::OtherFocusReason);
}

void Form1::calculateStaffing() {
    const StaffingEcho echo{txtTalk->text().toStdString(), txtAcw->text().toStdString(),
                            txtCalls->text().toStdString(), txtSlo->text().toStdString()};
    const auto failure = model::RunStaffing(echo, model_.staffing, marks(), model_.reports);
    showStaffingReports();
    if (failure)
        message(QString::fromStdString(failure->text), QString::fromStdString(failure->title));
}

void Form1::showLines(QListWidget* list, const model::ReportLines& lines) {
    list->clear();
    for (const std::string& line : lines) list->addItem(QString::fromStdString(line));
}

void Form1::showStaffingReports() {
    showLines(lstAgents, model_.reports.agents);
    showLines(lstDelays, model_.reports.delays);
}

}  // namespace corvane::ui
