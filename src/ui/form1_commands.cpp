// The menu commands and the wiring of buttons and fields to their handlers.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "output/clipboard_copy.h"
#include "output/report_printer.h"
#include "ui/focus_validation.h"
#include "ui/form1.h"
#include "ui/frm_about.h"
#include "ui/picture_button.h"

namespace corvane::ui {

void Form1::wireEvents() {
    connect(picCorvane, &PictureButton::clicked, this, [this] { setView(QStringLiteral("None")); });
    connect(picStaff, &PictureButton::clicked, this, [this] { setView(QStringLiteral("Agents")); });
    connect(picDelays, &PictureButton::clicked, this, [this] { setView(QStringLiteral("Delays")); });
    connect(picTrunks, &PictureButton::clicked, this, [this] { setView(QStringLiteral("Trunks")); });
    connect(btnCalculate, &QPushButton::clicked, this, [this] { CalculateStaff(); });
    connect(btnTrunks, &QPushButton::clicked, this, [this] { CalculateTrunks(); });
    connect(btnCancelTrunks, &QPushButton::clicked, this, [this] { btnCancelTrunks_Click(); });

    validation_->setLeaveCheck(txtTalk, [this] { return txtTalk_Validate(); });
    validation_->setLeaveCheck(txtAcw, [this] { return txtAcw_Validate(); });
    validation_->setLeaveCheck(txtCalls, [this] { return txtCalls_Validate(); });
    validation_->setLeaveCheck(txtSlo, [this] { return txtSlo_Validate(); });
    for (int i = 0; i < 5; ++i) {
        validation_->setLeaveCheck(txtErlang[static_cast<std::size_t>(i)], [this, i] { return txtErlang_Validate(i); });
        validation_->setLeaveCheck(txtBusy[static_cast<std::size_t>(i)], [this, i] { return txtBusy_Validate(i); });
    }
    validation_->setEntryCheck(btnCalculate, [this] { return btnCalculate_GotFocus(); });
    // Cancel must always work, whatever a field holds.
    validation_->setCausesValidation(btnCancelTrunks, false);

    for (QLineEdit* field : {txtTalk, txtAcw, txtCalls, txtSlo}) field->installEventFilter(this);
    for (std::size_t i = 0; i < 5; ++i) {
        txtErlang[i]->installEventFilter(this);
        txtBusy[i]->installEventFilter(this);
    }
    btnCalculate->installEventFilter(this);
}

void Form1::mnuCalculate_Click() {
    // Every failure here is silent; the runs report their own.
    if (CurrentView == QLatin1String("Trunks")) {
        if (!validation_->validateFocused()) return;
        CalculateTrunks();
    } else if (CurrentView == QLatin1String("Agents") || CurrentView == QLatin1String("Delays")) {
        if (!validation_->validateFocused()) return;
        CalculateStaff();
    }
}

void Form1::mnuClear_Click() {
    if (CurrentView == QLatin1String("Trunks")) ClearTrunks();
    else ClearStaffing();
}

void Form1::mnuExit_Click() { close(); }

void Form1::mnuPrint_Click() { output::PrintReport(CurrentView, currentList(), *printDialog_); }

void Form1::mnuClipboard_Click() {
    output::CopyToClipboard(currentList(), QGuiApplication::clipboard(),
                            [this](const QString& text, const QString& title) { message(text, title); });
}

void Form1::mnuCorvanehelp_Click() {
    // The same as pressing F1 in the window; handled before this returns.
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &f1);
}

void Form1::mnuAbout_Click() {
    frmAbout about(this);
    about.exec();
}

}  // namespace corvane::ui
