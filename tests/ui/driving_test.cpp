// The window as a user drives it: clicks after a refused click, access
// keys, Enter and Space, the whole calculator from the keyboard, message
// boxes and the stored calls.
#include "ui/form_fixture.h"
#include "ui/window_helpers.h"

#include <QMessageBox>
#include <QProxyStyle>

#include "support/worked_example.h"
#include "ui/message_box.h"

using corvane::testing::FormFixture;
using corvane::testing::ScriptedPump;
using corvane::testing::ShownMessage;
using corvane::testing::ShowsNothing;
using corvane::testing::WhenModal;

namespace {

// A style that puts icons on dialog buttons, as some desktops do.
class IconButtonStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// Presses Tab until the named control has the focus.
bool TabTo(const QString& name) {
    for (int i = 0; i < 60; ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (focus && focus->objectName() == name) return true;
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    return false;
}

}  // namespace

class DrivingTest : public QObject {
    Q_OBJECT

private slots:
    void FirstClickAfterARefusedClickActs() {
        for (const char* target : {"picDelays", "btnCalculate", "txtAcw"}) {
            for (const bool okByMouse : {false, true}) {
                FormFixture f;
                f.typeStaffing();
                QLineEdit* talk = f.typeOver("txtTalk", QStringLiteral("1801"));
                QWidget* goal = f.find(target);
                // The message box is answered with a click of its own (a press
                // and release on another window) or with Enter (no mouse).
                QWidget box;
                f.onMessage = [&] {
                    if (!okByMouse) return;
                    box.show();
                    QTest::mouseClick(&box, Qt::LeftButton);
                };
                // The press alone: its release went to the message box, as
                // under a real X server.
                QTest::mousePress(goal, Qt::LeftButton, Qt::NoModifier, goal->rect().center());
                QCOMPARE(f.form->focusWidget(), talk);  // refused
                f.onMessage = nullptr;
                f.form->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(f.form.get()));

                f.typeOver("txtTalk", QStringLiteral("180"));
                f.click(goal);  // the very first click after the correction
                QVERIFY2(QApplication::focusWidget() == goal, target);
                if (goal->objectName() == QLatin1String("picDelays"))
                    QCOMPARE(f.view(), QStringLiteral("Delays"));
                if (goal->objectName() == QLatin1String("btnCalculate"))
                    QCOMPARE(f.list("lstAgents")->count(), 16);
                QCOMPARE(f.messages.size(), std::size_t(1));
            }
        }
    }

    void AccessKeysEndOnTheirButton() {
        FormFixture f;
        f.typeStaffing();
        QLineEdit* slo = f.field("txtSlo");
        slo->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(slo, Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(f.list("lstAgents")->count(), 16);
        QCOMPARE(QApplication::focusWidget(), f.find("btnCalculate"));

        // The blank check still runs on the way, and keeps the run from starting.
        f.field("txtCalls")->clear();
        slo->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(slo, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(f.messages.back(),
                 (ShownMessage{"Please enter a value for Calls per Half-Hour", "Validate"}));
        QCOMPARE(QApplication::focusWidget(), f.find("txtCalls"));

        f.clickView("picTrunks");
        f.typeAndTab("txtErlang(0)", QStringLiteral("10"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(f.required(0), QStringLiteral(" 18"));
        QCOMPARE(QApplication::focusWidget(), f.find("btnTrunks"));
    }

    void TheWholeCalculatorFromTheKeyboard() {
        FormFixture f;
        QVERIFY(TabTo(QStringLiteral("picStaff")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(TabTo(QStringLiteral("txtTalk")));
        QStringList order;
        for (const char* value : {"180", "30", "100", "20"}) {
            QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(value));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order, (QStringList{"txtAcw", "txtCalls", "txtSlo", "btnCalculate"}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // Enter presses it
        QCOMPARE(f.items("lstAgents").last(),
                 QString::fromStdString(corvane::testing::WorkedExample("agents").back()));
        QVERIFY(TabTo(QStringLiteral("picDelays")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(f.view(), QStringLiteral("Delays"));
        QVERIFY(TabTo(QStringLiteral("lstDelays")));  // the table can be scrolled by keys

        // Enter on Cancel during a trunk run cancels it.
        f.clickView("picTrunks");
        f.fillGroup(0, QStringLiteral("100"), QStringLiteral("1"));
        ScriptedPump pump;
        pump.onPump = [&](int n) {
            if (n != 25) return;
            QWidget* cancel = f.find("btnCancelTrunks");
            cancel->setFocus(Qt::TabFocusReason);
            QTest::keyClick(cancel, Qt::Key_Enter);
        };
        f.form->SetEventPump(&pump);
        f.form->CalculateTrunks();
        f.form->SetEventPump(nullptr);
        QCOMPARE(pump.count, 25);
        QCOMPARE(f.required(0), QStringLiteral(" 0"));
        QVERIFY(f.messages.empty());
    }

    void EveryControlHasAnAccessibleName() {
        FormFixture f;
        for (QWidget* w : f.form->centralWidget()->findChildren<QWidget*>()) {
            const bool interactive =
                qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
                qobject_cast<corvane::ui::PictureButton*>(w) || qobject_cast<QListWidget*>(w);
            if (interactive && w->objectName() != QLatin1String("lstErlangs"))
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        }
    }

    void MessageBoxesShowTheirWholeTitleAndPlainButtons() {
        QApplication::setStyle(new IconButtonStyle);
        QWidget owner;
        owner.show();
        const QString title = QStringLiteral("Average Talk Time");
        QMessageBox* seen = nullptr;
        int width = 0;
        bool plain = true;
        WhenModal([&](QWidget* modal) {
            seen = qobject_cast<QMessageBox*>(modal);
            width = modal->width();
            for (QAbstractButton* b : seen->buttons()) plain &= b->icon().isNull();
            QVERIFY(!(seen->windowFlags() &
                      (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            QVERIFY(ShowsNothing(seen->windowIcon()) && seen->icon() == QMessageBox::NoIcon);
            QTest::keyClick(modal, Qt::Key_Return);
        });
        corvane::ui::PlatformMessageBox (&owner)(QStringLiteral("Entry must be 1-1800"), title);
        QApplication::setStyle(QStringLiteral("Fusion"));
        QVERIFY(seen);
        QVERIFY(plain);
        QFont bold = owner.font();
        bold.setBold(true);
        QVERIFY2(width >= QFontMetrics(bold).horizontalAdvance(title) + 80,
                 qPrintable(QString::number(width)));
    }

    void RefusedCallsKeepTheStoredNumber() {
        FormFixture f;
        f.typeStaffing();
        QLineEdit* calls = f.typeOver("txtCalls", QStringLiteral("40000"));
        QTest::keyClick(calls, Qt::Key_Tab);
        QCOMPARE(f.messages.back(), (ShownMessage{"Entry must be 1-30000", "Calls per Half-Hour"}));
        QCOMPARE(QApplication::focusWidget(), calls);
        // Emptied, the field is accepted silently and the run uses the 100
        // stored before, not 0.
        calls->clear();
        f.form->Calculate();
        QCOMPARE(f.items("lstAgents").last(),
                 QString::fromStdString(corvane::testing::WorkedExample("agents").back()));
    }
};

QTEST_MAIN(DrivingTest)
#include "driving_test.moc"
