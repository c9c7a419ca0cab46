// The four staffing fields, their checks, the blank check of the Calculate
// button, Clear Staffing and the staffing run.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "calc/number_parse.h"
#include "model/staffing_run.h"
#include "ui/form1.h"

namespace corvane::ui {

bool Form1::checkField(QLineEdit* field, const model::InputField& input,
                       const std::function<void(double)>& store) {
    const model::FieldCheck check = model::CheckField(input, field->text().toStdString(), marks());
    if (check.store) store(*check.store);
    if (check.rewrite) field->setText(QString::fromStdString(*check.rewrite));
    if (check.message)
        message(QString::fromStdString(*check.message), QString::fromLatin1(input.title));
    // The focus stays on a refused entry, selected whole so that typing
    // replaces it rather than adding to it.
    if (!check.accepted) field->selectAll();
    return check.accepted;
}

bool Form1::txtTalk_Validate() {
    return checkField(txtTalk, model::kTalkField,
                      [this](double v) { model_.staffing.talk = static_cast<std::int16_t>(v); });
}

bool Form1::txtAcw_Validate() {
    return checkField(txtAcw, model::kAcwField,
                      [this](double v) { model_.staffing.acw = static_cast<std::int16_t>(v); });
}

bool Form1::txtCalls_Validate() {
    return checkField(txtCalls, model::kCallsField,
                      [this](double v) { model_.staffing.calls = static_cast<std::int16_t>(v); });
}

bool Form1::txtSlo_Validate() {
    return checkField(txtSlo, model::kSloField,
                      [this](double v) { model_.staffing.slo = static_cast<std::int16_t>(v); });
}

bool Form1::btnCalculate_GotFocus() {
    const std::pair<QLineEdit*, const model::InputField*> fields[] = {
        {txtTalk, &model::kTalkField},
        {txtAcw, &model::kAcwField},
        {txtCalls, &model::kCallsField},
        {txtSlo, &model::kSloField},
    };
    for (const auto& [field, input] : fields) {
        if (!IsBlank(field->text().toStdString())) continue;
        message(QStringLiteral("Please enter a value for ") + QString::fromLatin1(input->title),
                QStringLiteral("Validate"));
        // The focus cannot move to a hidden field; that is not reported.
        if (field->isVisible()) field->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void Form1::ClearStaffing() {
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

void Form1::CalculateStaff() {
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
