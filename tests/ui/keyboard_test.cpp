#include "ui/form_fixture.h"

#include "support/worked_example.h"

using corvane::testing::FormFixture;

// The whole calculator from the keyboard alone, and a name for every
// control that a screen reader announces.
class KeyboardTest : public QObject {
    Q_OBJECT

    // Presses Tab until the named control has the focus; false if it never does.
    static bool TabTo(const QString& name) {
        for (int i = 0; i < 60; ++i) {
            QWidget* focus = QApplication::focusWidget();
            if (focus && focus->objectName() == name) return true;
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        return false;
    }

    static void Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }

private slots:
    void staffingByKeyboard() {
        FormFixture f;
        QVERIFY(QApplication::focusWidget());
        QVERIFY(TabTo(QStringLiteral("picStaff")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(f.view(), QStringLiteral("Agents"));
        QVERIFY(TabTo(QStringLiteral("txtTalk")));
        for (const char* value : {"180", "30", "100", "20"}) {
            Type(QString::fromLatin1(value));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("btnCalculate"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(f.list(QStringLiteral("lstAgents"))->count(), 16);
        QCOMPARE(f.items(QStringLiteral("lstAgents")).last(),
                 QString::fromLatin1(corvane::testing::kWorkedStaffingRows[8]));

        QVERIFY(TabTo(QStringLiteral("picDelays")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(f.view(), QStringLiteral("Delays"));
        QVERIFY(f.find(QStringLiteral("lstDelays"))->isVisible());
        QVERIFY(TabTo(QStringLiteral("lstDelays")));  // the table can be scrolled by keys
        QVERIFY(f.messages.empty());
    }

    void trunksByKeyboard() {
        FormFixture f;
        QVERIFY(TabTo(QStringLiteral("picTrunks")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(f.view(), QStringLiteral("Trunks"));
        QVERIFY(TabTo(QStringLiteral("txtErlang(0)")));
        for (const char* value : {"10", "1", "2", "10"}) {
            Type(QString::fromLatin1(value));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(f.field(QStringLiteral("txtRequired(1)"))->text(), QStringLiteral(" 4"));
        QCOMPARE(f.field(QStringLiteral("txtRequired(0)"))->text(), QStringLiteral(" 18"));
        QVERIFY(TabTo(QStringLiteral("picCorvane")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(f.view(), QStringLiteral("None"));
    }

    void everyControlHasAnAccessibleName() {
        FormFixture f;
        for (QWidget* w : f.form->centralWidget()->findChildren<QWidget*>()) {
            const bool interactive =
                qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
                qobject_cast<corvane::ui::PictureButton*>(w) || qobject_cast<QListWidget*>(w);
            if (interactive && w->objectName() != QLatin1String("lstErlangs"))
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        }
        QCOMPARE(f.find(QStringLiteral("txtTalk"))->accessibleName(),
                 QStringLiteral("Average Talk Time (Sec.)"));
        QCOMPARE(f.find(QStringLiteral("btnTrunks"))->accessibleName(),
                 QStringLiteral("Calculate"));
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
