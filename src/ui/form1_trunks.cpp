// The trunk fields, Clear Trunks and the run over the five trunk groups.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "calc/calc_error.h"
#include "calc/number_format.h"
#include "calc/number_parse.h"
#include "calc/trunk_search.h"
#include "calc/trunk_table.h"
#include "ui/event_pump.h"
#include "ui/field_check.h"
#include "ui/form1.h"

namespace corvane::ui {

// Lets the search run the window's events and show its messages. Once
// the window is closing, every search in the run is cancelled.
class Form1::TrunkSearchBridge : public TrunkSearchHost {
public:
    explicit TrunkSearchBridge(Form1& form) : form_(form) {}
    void ServicePendingEvents() override {
        form_.pump_->ProcessPendingEvents();
        if (form_.closing_) CancelTrunks();
    }
    void ShowMessage(const std::string& text, const std::string& title) override {
        form_.message(QString::fromStdString(text), QString::fromStdString(title));
    }

private:
    Form1& form_;
};

namespace {

struct TrunkField {
    const char* rangeMessage;
    const char* title;
};

const TrunkField kErlangField{"Value must be between 0.1 and 699.9", "Erlangs"};
const TrunkField kBusyField{"Value must be between 1 and 99", "Busy"};

}  // namespace

bool Form1::txtErlang_Validate(int index) {
    const auto i = static_cast<std::size_t>(index);
    QLineEdit* field = txtErlang[i];
    const NumberMarks numberMarks = marks();
    return CheckField(
        field->text(),
        [&] {
            const double value = TextToDouble(field->text().toStdString(), numberMarks);
            GroupErlangs[i] = value;  // stored even when out of range
            if (value < 0.1 || value > 699.9) return false;
            field->setText(QString::fromStdString(FormatNumber(value, "##0.0", numberMarks)));
            return true;
        },
        QString::fromLatin1(kErlangField.rangeMessage), QString::fromLatin1(kErlangField.title),
        [this](const QString& text, const QString& title) { message(text, title); });
}

bool Form1::txtBusy_Validate(int index) {
    const auto i = static_cast<std::size_t>(index);
    QLineEdit* field = txtBusy[i];
    const NumberMarks numberMarks = marks();
    return CheckField(
        field->text(),
        [&] {
            const std::int16_t value = TextToInt16(field->text().toStdString(), numberMarks);
            GroupBusy[i] = value;  // stored even when out of range
            if (value < 1 || value > 99) return false;
            field->setText(QString::fromStdString(FormatNumber(value, "#0", numberMarks)));
            return true;
        },
        QString::fromLatin1(kBusyField.rangeMessage), QString::fromLatin1(kBusyField.title),
        [this](const QString& text, const QString& title) { message(text, title); });
}

void Form1::ClearTrunks() {
    // Clearing under a run in progress would pull its table from under it.
    if (trunkRunActive_) return;
    for (std::size_t i = 0; i < 5; ++i) {
        GroupErlangs[i] = 0;
        GroupBusy[i] = 0;
        GroupTrunks[i] = 0;
        txtErlang[i]->setText(QString());
        txtBusy[i]->setText(QString());
        txtRequired[i]->setText(QString());
    }
    lstErlangs->clear();
    // Not reported when the field cannot take the focus (window not shown).
    if (txtErlang[0]->isVisible()) txtErlang[0]->setFocus(Qt::OtherFocusReason);
}

void Form1::CalculateTrunks() {
    // One run at a time: a second one would interleave with the first.
    if (trunkRunActive_) return;
    trunkRunActive_ = true;
    TrunkSearchBridge bridge(*this);
    const NumberMarks numberMarks = marks();

    const bool buttonHadFocus = btnTrunks->hasFocus();
    lblCancelTrunks->show();
    btnCancelTrunks->show();
    btnTrunks->hide();
    lstErlangs->clear();
    for (const std::string& item : TrunkTableHeadItems()) lstErlangs->addItem(QString::fromStdString(item));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        for (std::size_t i = 0; i < 5; ++i) {
            if (GroupErlangs[i] <= 0 || GroupBusy[i] <= 0) continue;
            // The values are read as the run reaches the group.
            const double erlangs = GroupErlangs[i];
            const std::int16_t busy = GroupBusy[i];
            GroupTrunks[i] = TrunksRequired(erlangs, busy, bridge);
            txtRequired[i]->setText(QString::fromStdString(NumberAsText(GroupTrunks[i])));
            lstErlangs->addItem(QString::fromStdString(
                FormatTrunkGroupLine(static_cast<int>(i), erlangs, busy, GroupTrunks[i], numberMarks)));
        }
        lstErlangs->addItem(QString::fromStdString(TrunkTableLastItem()));
    } catch (const CalcError& e) {
        message(QStringLiteral("Unexpected error #") + QString::fromStdString(NumberAsText(e.number())),
                QString());
    }
    QApplication::restoreOverrideCursor();
    lblCancelTrunks->hide();
    btnCancelTrunks->hide();
    // The Calculate button comes back only where it belongs: the user may
    // have switched to another view during the run.
    btnTrunks->setVisible(CurrentView == QLatin1String("Trunks"));
    if (buttonHadFocus && btnTrunks->isVisible() && !closing_) btnTrunks->setFocus(Qt::OtherFocusReason);
    trunkRunActive_ = false;
    closing_ = false;  // the close it served has happened
}

void Form1::btnCancelTrunks_Click() { CancelTrunks(); }

}  // namespace corvane::ui
