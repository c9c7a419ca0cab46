// The four staffing fields, their checks and stored numbers, the blank
// check of the Calculate button, Clear Staffing and the staffing run.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "calc/calc_error.h"
#include "calc/number_parse.h"
#include "calc/staffing_engine.h"
#include "calc/staffing_tables.h"
#include "ui/field_check.h"
#include "ui/form1.h"

namespace corvane::ui {

namespace {

QString ErrorText(const char* prefix, int number) {
    return QString::fromLatin1(prefix) + QString::fromStdString(NumberAsText(number));
}

void AddLines(QListWidget* list, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) list->addItem(QString::fromStdString(line));
}

}  // namespace

bool Form1::validateStaffField(QLineEdit* field, std::int16_t& stored, int low, int high,
                               const QString& rangeMessage, const QString& title) {
    const NumberMarks numberMarks = marks();
    return CheckField(
        field->text(),
        [&] {
            // A number beyond 16 bits raises before anything is stored.
            stored = TextToInt16(field->text().toStdString(), numberMarks);
            if (stored >= low && stored <= high) return true;
            stored = 0;  // a refused number is not kept
            return false;
        },
        rangeMessage, title, [this](const QString& text, const QString& t) { message(text, t); });
}

bool Form1::txtTalk_Validate() {
    return validateStaffField(txtTalk, TalkValue, 1, 1800,
                              QStringLiteral("Entry must be 1-1800"),
                              QStringLiteral("Average Talk Time"));
}

bool Form1::txtAcw_Validate() {
    return validateStaffField(txtAcw, AcwValue, 0, 1800,
                              QStringLiteral("Value must be 0-1800"),
                              QStringLiteral("After-Call Work Time"));
}

bool Form1::txtCalls_Validate() {
    return validateStaffField(txtCalls, CallsValue, 1, 30000,
                              QStringLiteral("Entry must be 1-30000"),
                              QStringLiteral("Calls per Half-Hour"));
}

bool Form1::txtSlo_Validate() {
    return validateStaffField(txtSlo, SloValue, 0, 600,
                              QStringLiteral("Entry must be 0-600"),
                              QStringLiteral("Service Level Objective"));
}

bool Form1::btnCalculate_GotFocus() {
    const std::pair<QLineEdit*, const char*> fields[] = {
        {txtTalk, "Please enter a value for Average Talk Time"},
        {txtAcw, "Please enter a value for After-Call Work Time"},
        {txtCalls, "Please enter a value for Calls per Half-Hour"},
        {txtSlo, "Please enter a value for Service Level Objective"},
    };
    for (const auto& [field, text] : fields) {
        if (!IsBlank(field->text().toStdString())) continue;
        message(QString::fromLatin1(text), QStringLiteral("Validate"));
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
    TalkValue = 0;
    AcwValue = 0;
    CallsValue = 0;
    SloValue = 0;
    lstAgents->clear();
    lstDelays->clear();
    // Before the window shows, or in the opening view, the field cannot
    // take the focus; that is expected and silent.
    if (txtTalk->isVisible()) txtTalk->setFocus(Qt::OtherFocusReason);
}

void Form1::CalculateStaff() {
    const StaffingEcho echo{txtTalk->text().toStdString(), txtAcw->text().toStdString(),
                            txtCalls->text().toStdString(), txtSlo->text().toStdString()};
    lstAgents->clear();
    AddLines(lstAgents, StaffingHeadLines(echo));
    lstDelays->clear();
    AddLines(lstDelays, DelayHeadLines(echo));

    const StaffingInputs inputs{TalkValue, AcwValue, CallsValue, SloValue};
    const NumberMarks numberMarks = marks();
    try {
        ComputeStaffingRows(inputs, [&](const StaffingRow& row) {
            lstAgents->addItem(QString::fromStdString(FormatStaffingLine(row, numberMarks)));
            lstDelays->addItem(QString::fromStdString(FormatDelayLine(row, numberMarks)));
        });
    } catch (const CalcError& e) {
        switch (e.number()) {
        case kErrOverflow: {
            const bool allFilled = !txtTalk->text().isEmpty() && !txtAcw->text().isEmpty() &&
                                   !txtCalls->text().isEmpty() && !txtSlo->text().isEmpty();
            if (allFilled)
                message(QStringLiteral("Staff calculation failed: the specified parameters are "
                                       "outside the usable range."),
                        QStringLiteral("Corvane"));
            break;
        }
        case kErrInvalidCall:
        case kErrPrinter:
            break;
        default:
            message(ErrorText("Unexpected error # ", e.number()), QStringLiteral("Staffing"));
        }
    }
}

}  // namespace corvane::ui
