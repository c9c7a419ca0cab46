// The window as a user drives it: clicks after a refused click, access
// keys, Enter on buttons, title bars, message boxes and the stored calls.
#include "ui/form_fixture.h"
#include "ui/window_helpers.h"

#include <QMessageBox>
#include <QProxyStyle>
#include <QTimer>

#include "support/worked_example.h"
#include "ui/dialog_frame.h"
#include "ui/event_pump.h"
#include "ui/frm_about.h"
#include "ui/message_box.h"

using corvane::testing::FormFixture;
using corvane::testing::ScriptedPump;
using corvane::testing::WhenModal;
using corvane::testing::ShownMessage;

namespace {

// True when the icon shows nothing at all.
bool ShowsNothing(const QIcon& icon) {
    const QImage image = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0) return false;
    return true;
}

// A style that puts icons on dialog buttons, as some desktops do.
class IconButtonStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

}  // namespace

class DrivingTest : public QObject {
    Q_OBJECT

    // The press of a click whose release never reaches the window: the
    // check's message box took it, as under a real X server.
    static void PressOnly(QWidget* w) {
        QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    }

    static void TypeOver(QLineEdit* field, const QString& text) {
        field->selectAll();
        QTest::keyClicks(field, text);
    }

private slots:
    void firstClickAfterARefusedClickActs_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("okByMouse");
        for (const char* target : {"picDelays", "btnCalculate", "txtAcw"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1, OK by Enter").arg(target)))
                << target << false;
            QTest::newRow(qPrintable(QStringLiteral("%1, OK by mouse").arg(target)))
                << target << true;
        }
    }

    void firstClickAfterARefusedClickActs() {
        QFETCH(QString, target);
        QFETCH(bool, okByMouse);
        FormFixture f;
        f.typeWorkedExample();
        QLineEdit* talk = f.field(QStringLiteral("txtTalk"));
        talk->setFocus(Qt::OtherFocusReason);
        TypeOver(talk, QStringLiteral("1801"));
        QWidget* goal = f.find(target);
        // The message box is answered with a click of its own (a press and
        // release on another window) or with Enter (no mouse at all).
        QWidget box;
        f.onMessage = [&] {
            if (!okByMouse) return;
            box.show();
            QTest::mouseClick(&box, Qt::LeftButton);
        };
        PressOnly(goal);
        QCOMPARE(f.messages.size(), std::size_t(1));
        QCOMPARE(f.form->focusWidget(), talk);  // refused
        f.onMessage = nullptr;
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));

        TypeOver(talk, QStringLiteral("180"));
        f.click(goal);  // the very first click after the correction
        QCOMPARE(QApplication::focusWidget(), goal);
        if (target == QLatin1String("picDelays")) QCOMPARE(f.view(), QStringLiteral("Delays"));
        if (target == QLatin1String("btnCalculate"))
            QCOMPARE(f.list(QStringLiteral("lstAgents"))->count(), 16);
        QCOMPARE(f.messages.size(), std::size_t(1));
    }

    void accessKeyLeavesTheFocusOnItsButton() {
        FormFixture f;
        f.typeWorkedExample();
        QLineEdit* slo = f.field(QStringLiteral("txtSlo"));
        slo->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(slo, Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(f.list(QStringLiteral("lstAgents"))->count(), 16);
        QCOMPARE(QApplication::focusWidget(), f.find(QStringLiteral("btnCalculate")));

        // The blank check still runs on the way, and keeps the run from starting.
        f.field(QStringLiteral("txtCalls"))->clear();
        slo->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(slo, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(f.messages.back(),
                 (ShownMessage{QStringLiteral("Please enter a value for Calls per Half-Hour"),
                               QStringLiteral("Validate")}));
        QCOMPARE(QApplication::focusWidget(), f.find(QStringLiteral("txtCalls")));

        f.clickView("picTrunks");
        f.typeAndTab(QStringLiteral("txtErlang(0)"), QStringLiteral("10"));
        QLineEdit* busy = f.field(QStringLiteral("txtBusy(0)"));
        QCOMPARE(QApplication::focusWidget(), busy);
        QTest::keyClicks(busy, QStringLiteral("1"));
        QTest::keyClick(busy, Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(f.field(QStringLiteral("txtRequired(0)"))->text(), QStringLiteral(" 18"));
        QCOMPARE(QApplication::focusWidget(), f.find(QStringLiteral("btnTrunks")));
    }

    void enterPressesTheFocusedButton() {
        FormFixture f;
        f.typeWorkedExample();
        QWidget* calculate = f.find(QStringLiteral("btnCalculate"));
        QCOMPARE(QApplication::focusWidget(), calculate);
        QTest::keyClick(calculate, Qt::Key_Return);
        QCOMPARE(f.items(QStringLiteral("lstAgents")).last(),
                 QString::fromLatin1(corvane::testing::kWorkedStaffingRows[8]));

        // Enter on Cancel during a trunk run cancels it.
        f.clickView("picTrunks");
        f.typeAndTab(QStringLiteral("txtErlang(0)"), QStringLiteral("10"));
        f.typeAndTab(QStringLiteral("txtBusy(0)"), QStringLiteral("1"));
        f.typeAndTab(QStringLiteral("txtErlang(1)"), QStringLiteral("100"));
        f.typeAndTab(QStringLiteral("txtBusy(1)"), QStringLiteral("1"));
        ScriptedPump pump;
        pump.onPump = [&](int n) {
            if (n != 25) return;
            QWidget* cancel = f.find(QStringLiteral("btnCancelTrunks"));
            cancel->setFocus(Qt::TabFocusReason);
            QTest::keyClick(cancel, Qt::Key_Enter);
        };
        f.form->setEventPump(&pump);
        f.form->CalculateTrunks();
        f.form->setEventPump(nullptr);
        QCOMPARE(f.field(QStringLiteral("txtRequired(0)"))->text(), QStringLiteral(" 18"));
        QCOMPARE(f.field(QStringLiteral("txtRequired(1)"))->text(),
                 QStringLiteral(" 0"));  // cancelled
    }

    void enterOnLicenseInfoOpensTheLicence() {
        corvane::ui::frmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(),
                 about.findChild<QWidget*>(QStringLiteral("cmdLicense")));
        QString opened;
        WhenModal([&](QWidget* licence) {
            opened = licence->objectName();
            licence->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(opened, QStringLiteral("frmLicense"));
        QVERIFY(about.isVisible());
        // With the focus back on OK, Enter closes the box.
        QWidget* ok = about.findChild<QWidget*>(QStringLiteral("cmdOK"));
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Return);
        QVERIFY(!about.isVisible());
    }

    void titleBarsOfferWhatTheWindowsCanDo() {
        FormFixture f;
        const Qt::WindowFlags main = f.form->windowFlags();
        QVERIFY(!(main & Qt::WindowMaximizeButtonHint));
        QVERIFY(main & Qt::WindowMinimizeButtonHint);
        QVERIFY(main & Qt::WindowCloseButtonHint);
        QVERIFY(!ShowsNothing(f.form->windowIcon()));

        corvane::ui::frmAbout about;
        QVERIFY(
            !(about.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(about.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(ShowsNothing(about.windowIcon()));
        QString licenceIcon;
        WhenModal([&](QWidget* licence) {
            QVERIFY(ShowsNothing(licence->windowIcon()));
            QVERIFY(!(licence->windowFlags() &
                      (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            licenceIcon = QStringLiteral("checked");
            licence->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
        });
        about.findChild<QPushButton*>(QStringLiteral("cmdLicense"))->click();
        QCOMPARE(licenceIcon, QStringLiteral("checked"));
    }

    void messageBoxesShowTheirWholeTitleAndPlainButtons() {
        QStyle* previous = QApplication::style();
        auto* style = new IconButtonStyle;
        QApplication::setStyle(style);
        QWidget owner;
        owner.show();
        const QString title = QStringLiteral("Average Talk Time");
        struct Seen {
            int width = 0;
            Qt::WindowFlags flags;
            bool plainButtons = false;
            bool noIcon = false;
        } seen;
        WhenModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            seen.width = box->width();
            seen.flags = box->windowFlags();
            seen.noIcon = ShowsNothing(box->windowIcon()) && box->icon() == QMessageBox::NoIcon;
            seen.plainButtons = !box->buttons().isEmpty();
            for (QAbstractButton* b : box->buttons()) seen.plainButtons &= b->icon().isNull();
            QTest::keyClick(box, Qt::Key_Return);
        });
        corvane::ui::PlatformMessageBox (&owner)(QStringLiteral("Entry must be 1-1800"), title);
        QApplication::setStyle(QStringLiteral("Fusion"));
        Q_UNUSED(previous);
        QFont bold = owner.font();
        bold.setBold(true);
        QVERIFY2(seen.width >= QFontMetrics(bold).horizontalAdvance(title) + 80,
                 qPrintable(QString::number(seen.width)));
        QVERIFY(!(seen.flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(seen.flags & Qt::WindowCloseButtonHint);
        QVERIFY(seen.noIcon);
        QVERIFY(seen.plainButtons);
    }

    void refusedCallsKeepTheStoredNumber() {
        FormFixture f;
        f.typeWorkedExample();
        QLineEdit* calls = f.field(QStringLiteral("txtCalls"));
        calls->setFocus(Qt::OtherFocusReason);
        TypeOver(calls, QStringLiteral("40000"));
        QTest::keyClick(calls, Qt::Key_Tab);
        QCOMPARE(f.messages.back(), (ShownMessage{QStringLiteral("Entry must be 1-30000"),
                                                  QStringLiteral("Calls per Half-Hour")}));
        QCOMPARE(QApplication::focusWidget(), calls);
        // Emptied, the field is accepted silently and the run uses the 100
        // stored before, not 0.
        calls->clear();
        f.form->mnuCalculate_Click();
        QCOMPARE(f.items(QStringLiteral("lstAgents")).last(),
                 QString::fromLatin1(corvane::testing::kWorkedStaffingRows[8]));
    }
};

QTEST_MAIN(DrivingTest)
#include "driving_test.moc"
