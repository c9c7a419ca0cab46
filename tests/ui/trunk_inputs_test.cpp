#include "ui/form_fixture.h"
#include "ui/window_helpers.h"

#include "ui/event_pump.h"

using corvane::testing::FormFixture;
using corvane::testing::ScriptedPump;
using corvane::testing::WhenModal;
using corvane::testing::ShownMessage;

namespace {

const QString kHead1 =
    QStringLiteral("Trunks Required per Group for Erlangs and % Busy Signals Allowable\r\n");
const QStringList kHead = {kHead1, QStringLiteral("        Traffic in    % Busy      Trunks"),
                           QStringLiteral("Group     Erlangs    Allowable   Required"),
                           QStringLiteral("=====     =======    =========   ========")};

// The whole trunk table for these group lines.
QStringList Table(const QStringList& groupLines) {
    return kHead + groupLines + QStringList{QStringLiteral("\r\n")};
}

void FillGroup(FormFixture& f, int i, const QString& erlangs, const QString& busy) {
    f.typeAndTab(QStringLiteral("txtErlang(%1)").arg(i), erlangs);
    f.typeAndTab(QStringLiteral("txtBusy(%1)").arg(i), busy);
}

}  // namespace

class TrunkInputsTest : public QObject {
    Q_OBJECT

    void expectIdle(FormFixture& f) {
        QVERIFY(!f.find(QStringLiteral("lblCancelTrunks"))->isVisible());
        QVERIFY(!f.find(QStringLiteral("btnCancelTrunks"))->isVisible());
        QVERIFY(f.find(QStringLiteral("btnTrunks"))->isVisible());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(!f.form->trunkRunInProgress());
    }

private slots:
    void fieldEntries_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("shown");  // the field's text afterwards
        QTest::addColumn<double>("stored");
        QTest::addColumn<QString>("message");

        const double prev = 7;  // stored before the entry
        const QString erlangRange = QStringLiteral("Value must be between 0.1 and 699.9");
        // The whole table of entries is the model's; here, what the window
        // does with a decision: the text rewritten or kept, the focus.
        QTest::newRow("erlang 5") << "txtErlang(1)"
                                  << "5" << true << "5.0" << 5.0 << "";
        QTest::newRow("erlang 0.05") << "txtErlang(1)"
                                     << "0.05" << false << "0.05" << 0.05 << erlangRange;
        QTest::newRow("busy abc") << "txtBusy(1)"
                                  << "abc" << false << "abc" << prev << "Entry 'abc' is not valid";
    }

    void fieldEntries() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(QString, shown);
        QFETCH(double, stored);
        QFETCH(QString, message);

        FormFixture f;
        f.clickView("picTrunks");
        f.form->model().trunks[1].erlangs = 7;
        f.form->model().trunks[1].busy = 7;
        QLineEdit* edit = f.field(field);
        edit->setFocus(Qt::OtherFocusReason);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);

        const bool erlang = field.startsWith(QLatin1String("txtErlang"));
        QCOMPARE(QApplication::focusWidget() == edit, !accepted);
        QCOMPARE(edit->text(), shown);
        QCOMPARE(
            erlang ? f.form->model().trunks[1].erlangs : double(f.form->model().trunks[1].busy),
            stored);
        if (message.isEmpty()) {
            QVERIFY(f.messages.empty());
        } else {
            QCOMPARE(f.messages.size(), std::size_t(1));
            QCOMPARE(f.messages[0], (ShownMessage{message, erlang ? "Erlangs" : "Busy"}));
        }
    }

    void runOverThreeGroups() {
        FormFixture f;
        f.clickView("picTrunks");
        FillGroup(f, 0, "10", "1");
        FillGroup(f, 1, "10", "5");
        FillGroup(f, 2, "2", "10");
        f.click(f.find(QStringLiteral("btnTrunks")));
        QCOMPARE(f.items(QStringLiteral("lstErlangs")),
                 Table({"   1        10.0            1         18",
                        "   2        10.0            5         15",
                        "   3         2.0           10          4"}));
        QCOMPARE(f.field(QStringLiteral("txtRequired(0)"))->text(), QStringLiteral(" 18"));
        QCOMPARE(f.field(QStringLiteral("txtRequired(1)"))->text(), QStringLiteral(" 15"));
        QCOMPARE(f.field(QStringLiteral("txtRequired(2)"))->text(), QStringLiteral(" 4"));
        QVERIFY(f.field(QStringLiteral("txtRequired(3)"))->text().isEmpty());
        QVERIFY(f.messages.empty());
        expectIdle(f);
    }

    void onlyGroupThreeAndAnEmptiedField() {
        FormFixture f;
        f.clickView("picTrunks");
        FillGroup(f, 2, "699.9", "1");
        // Emptying a field does not withdraw the group.
        f.typeAndTab(QStringLiteral("txtErlang(2)"), QString());
        f.form->mnuCalculate_Click();
        QCOMPARE(f.items(QStringLiteral("lstErlangs")),
                 Table({"   3       699.9            1        728"}));
        QCOMPARE(f.field(QStringLiteral("txtRequired(2)"))->text(), QStringLiteral(" 728"));
    }

    void noGroupsGivesTheHeadAndTheEnd() {
        FormFixture f;
        f.clickView("picTrunks");
        f.form->mnuCalculate_Click();
        QCOMPARE(f.items(QStringLiteral("lstErlangs")), Table({}));
        expectIdle(f);
    }

    void cancelDuringGroupTwo() {
        FormFixture f;
        f.clickView("picTrunks");
        FillGroup(f, 0, "10", "1");   // 18 candidates
        FillGroup(f, 1, "100", "1");  // would be 117
        FillGroup(f, 2, "10", "5");
        // A refused entry in a field must not stop Cancel.
        QLineEdit* last = f.field(QStringLiteral("txtErlang(4)"));
        last->setFocus(Qt::OtherFocusReason);
        QTest::keyClicks(last, QStringLiteral("abc"));
        ScriptedPump pump;
        bool sawRunState = false;
        pump.onPump = [&](int n) {
            if (n != 25) return;
            sawRunState = f.find(QStringLiteral("lblCancelTrunks"))->isVisible() &&
                          f.find(QStringLiteral("btnCancelTrunks"))->isVisible() &&
                          !f.find(QStringLiteral("btnTrunks"))->isVisible() &&
                          QApplication::overrideCursor() &&
                          QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            f.click(f.find(QStringLiteral("btnCancelTrunks")));
        };
        f.form->setEventPump(&pump);
        f.form->CalculateTrunks();
        QVERIFY(sawRunState);
        QCOMPARE(f.items(QStringLiteral("lstErlangs")),
                 Table({"   1        10.0            1         18",
                        "   2       100.0            1          0",
                        "   3        10.0            5         15"}));
        QCOMPARE(f.field(QStringLiteral("txtRequired(1)"))->text(), QStringLiteral(" 0"));
        QCOMPARE(f.field(QStringLiteral("txtRequired(2)"))->text(), QStringLiteral(" 15"));
        QVERIFY(f.messages.empty());
        QCOMPARE(last->text(), QStringLiteral("abc"));
        expectIdle(f);
        f.clickView("picStaff");  // leaves the trunks view: now the refused entry is reported
        QCOMPARE(f.messages.size(), std::size_t(1));
        f.form->setEventPump(nullptr);
    }

    void overlappingCommandsAreRefusedDuringARun() {
        FormFixture f;
        f.clickView("picTrunks");
        FillGroup(f, 0, "100", "1");
        ScriptedPump pump;
        pump.onPump = [&](int n) {
            if (n == 5) {
                f.form->mnuCalculate_Click();  // second run
                f.form->mnuClear_Click();      // clear under the run
            }
        };
        f.form->setEventPump(&pump);
        f.form->CalculateTrunks();
        QCOMPARE(pump.count, 117);  // one search, never restarted
        QCOMPARE(f.items(QStringLiteral("lstErlangs")),
                 Table({"   1       100.0            1        117"}));
        QCOMPARE(f.field(QStringLiteral("txtErlang(0)"))->text(), QStringLiteral("100.0"));
        expectIdle(f);
        f.form->setEventPump(nullptr);
    }

    void viewSwitchDuringARunKeepsTheButtonWhereItBelongs() {
        FormFixture f;
        f.clickView("picTrunks");
        FillGroup(f, 0, "10", "1");
        ScriptedPump pump;
        pump.onPump = [&](int n) {
            if (n == 3) f.clickView("picStaff");
        };
        f.form->setEventPump(&pump);
        f.form->CalculateTrunks();
        QCOMPARE(f.view(), QStringLiteral("Agents"));
        QVERIFY(!f.find(QStringLiteral("btnTrunks"))->isVisible());
        QVERIFY(!f.find(QStringLiteral("btnCancelTrunks"))->isVisible());
        QCOMPARE(f.field(QStringLiteral("txtRequired(0)"))->text(), QStringLiteral(" 18"));
        f.clickView("picTrunks");
        QVERIFY(f.find(QStringLiteral("btnTrunks"))->isVisible());
        f.form->setEventPump(nullptr);
    }

    void closingMidRunCancelsTheRest() {
        FormFixture f;
        f.clickView("picTrunks");
        FillGroup(f, 0, "10", "1");
        FillGroup(f, 1, "100", "1");
        FillGroup(f, 2, "200", "1");
        ScriptedPump pump;
        pump.onPump = [&](int n) {
            if (n == 22) f.form->close();
        };
        f.form->setEventPump(&pump);
        f.form->CalculateTrunks();
        QVERIFY(!f.form->isVisible());
        QCOMPARE(f.field(QStringLiteral("txtRequired(0)"))->text(), QStringLiteral(" 18"));
        QCOMPARE(f.field(QStringLiteral("txtRequired(1)"))->text(), QStringLiteral(" 0"));
        QCOMPARE(f.field(QStringLiteral("txtRequired(2)"))->text(), QStringLiteral(" 0"));
        QCOMPARE(pump.count, 18 + 4 + 1);  // each later group stops at its first candidate
        QVERIFY(f.messages.empty());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        f.form->setEventPump(nullptr);
    }

    void clearInTheTrunksViewClearsTrunksOnly() {
        FormFixture f;
        f.clickView("picStaff");
        f.typeAndTab(QStringLiteral("txtTalk"), QStringLiteral("180"));
        f.clickView("picTrunks");
        FillGroup(f, 0, "10", "1");
        FillGroup(f, 3, "2", "10");
        f.form->CalculateTrunks();
        f.form->mnuClear_Click();
        for (int i = 0; i < 5; ++i) {
            for (const char* kind : {"txtErlang(%1)", "txtBusy(%1)", "txtRequired(%1)"})
                QVERIFY(f.field(QString::fromLatin1(kind).arg(i))->text().isEmpty());
            QCOMPARE(f.form->model().trunks[std::size_t(i)].erlangs, 0.0);
            QCOMPARE(f.form->model().trunks[std::size_t(i)].busy, std::int16_t(0));
            QCOMPARE(f.form->model().trunks[std::size_t(i)].trunks, std::int16_t(0));
        }
        QCOMPARE(f.list(QStringLiteral("lstErlangs"))->count(), 0);
        QCOMPARE(QApplication::focusWidget(), f.field(QStringLiteral("txtErlang(0)")));
        QCOMPARE(f.field(QStringLiteral("txtTalk"))->text(), QStringLiteral("180"));
        QCOMPARE(f.form->model().staffing.talk, std::int16_t(180));
        // After Clear a run computes nothing.
        f.form->CalculateTrunks();
        QCOMPARE(f.items(QStringLiteral("lstErlangs")), Table({}));
    }
};

QTEST_MAIN(TrunkInputsTest)
#include "trunk_inputs_test.moc"
