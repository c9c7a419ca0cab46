#include "ui/form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>

#include "calc/trunk_search.h"
#include "output/qt_print_dialog.h"
#include "ui/event_pump.h"
#include "ui/focus_validation.h"
#include "ui/help_launcher.h"
#include "ui/help_viewer.h"
#include "ui/regional_marks.h"

namespace corvane::ui {

Form1::Form1(const QString& pictureDir, QWidget* parent)
    : QMainWindow(parent),
      pictureDir_(pictureDir.isEmpty() ? QCoreApplication::applicationDirPath() : pictureDir),
      locale_(QLocale()),
      message_(PlatformMessageBox(this)),
      ownPump_(std::make_unique<QtEventPump>()),
      pump_(ownPump_.get()),
      ownPrintDialog_(std::make_unique<output::QtPrintDialog>(this)),
      printDialog_(ownPrintDialog_.get()),
      help_(std::make_unique<HelpLauncher>(
          this, [this](const QString& text, const QString& title) { Message(text, title); })) {
    setObjectName(QStringLiteral("Form1"));
    validation_ = new FocusValidation(this);
    CreateControls();
    CreateMenus();
    // Fixed single border: the user cannot resize the window.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ApplyTabOrder();
    WireEvents();
    StartUp();
}

Form1::~Form1() = default;

void Form1::SetMessageFunction(MessageFunction message) { message_ = std::move(message); }
void Form1::SetEventPump(EventPump* pump) { pump_ = pump ? pump : ownPump_.get(); }
void Form1::setLocale(const QLocale& locale) { locale_ = locale; }
void Form1::SetPrintDialog(output::PrintDialog* dialog) {
    printDialog_ = dialog ? dialog : ownPrintDialog_.get();
}

NumberMarks Form1::Marks() const { return MarksOf(locale_); }

void Form1::Message(const QString& text, const QString& title) {
    if (closing_) return;  // nothing is left behind a closed window
    message_(text, title);
}

void Form1::StartUp() {
    setAcceptDrops(true);
    helpFile_ =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Corvane.chm"));
    ClearStaffing();
    ClearTrunks();
    model_.view = model::View::None;
    ShowView();
}

void Form1::closeEvent(QCloseEvent* event) {
    // Closing is never refused. A trunk run in progress is cancelled for
    // the group in progress and every group after it.
    if (model_.trunkRun.Active()) {
        closing_ = true;
        model_.trunkRun.CancelGroup();
    }
    event->accept();
}

void Form1::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        help_->Open(helpFile_);
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusIn) return QMainWindow::eventFilter(watched, event);
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    // Coming back to the window is not entering a control.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return QMainWindow::eventFilter(watched, event);
    if (auto* field = qobject_cast<QLineEdit*>(watched)) {
        field->selectAll();
    } else if (watched == static_cast<QObject*>(calculateButton_) &&
               reason != Qt::MouseFocusReason && reason != Qt::ShortcutFocusReason &&
               !validation_->Checking()) {
        // A click or access key was checked before the focus moved.
        StaffingFieldsFilled();
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace corvane::ui
