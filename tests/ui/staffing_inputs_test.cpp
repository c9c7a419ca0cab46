#include "ui/form_fixture.h"

#include "support/worked_example.h"

using corvane::testing::FormFixture;
using corvane::testing::ShownMessage;

namespace {

template <std::size_t N>
QStringList Lines(const char* const (&lines)[N]) {
    QStringList out;
    for (const char* l : lines) out << QString::fromLatin1(l);
    return out;
}

std::int32_t Stored(const corvane::ui::Form1& form, const QString& field) {
    if (field == QLatin1String("txtTalk")) return form.model().staffing.talk;
    if (field == QLatin1String("txtAcw")) return form.model().staffing.acw;
    if (field == QLatin1String("txtCalls")) return form.model().staffing.calls;
    return form.model().staffing.slo;
}

void SetStored(corvane::ui::Form1& form, const QString& field, int value) {
    if (field == QLatin1String("txtTalk"))
        form.model().staffing.talk = static_cast<std::int16_t>(value);
    else if (field == QLatin1String("txtAcw"))
        form.model().staffing.acw = static_cast<std::int16_t>(value);
    else if (field == QLatin1String("txtCalls"))
        form.model().staffing.calls = value;
    else
        form.model().staffing.slo = static_cast<std::int16_t>(value);
}

const int kPrevious = 77;  // stored before each entry, to see whether it is kept

}  // namespace

class StaffingInputsTest : public QObject {
    Q_OBJECT

    // Fills the four fields with the worked example by typing and Tab.
    static void typeWorkedExample(FormFixture& f) {
        f.typeStaffing(QStringLiteral("180"), QStringLiteral("30"), QStringLiteral("100"),
                       QStringLiteral("20"));
    }

private slots:
    void fieldEntries_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("message");  // empty: none
        QTest::addColumn<QString>("title");

        const QString talk = QStringLiteral("Average Talk Time");
        const QString calls = QStringLiteral("Calls per Half-Hour");
        // The whole table of entries is the model's; here, what the window
        // does with a decision: the text stays as typed, the focus stays on
        // a refusal, the message carries the field's title.
        QTest::newRow("talk 12.5") << "txtTalk"
                                   << "12.5" << true << 12 << ""
                                   << "";
        QTest::newRow("talk 1801") << "txtTalk"
                                   << "1801" << false << 0 << "Entry must be 1-1800" << talk;
        QTest::newRow("calls abc")
            << "txtCalls"
            << "abc" << false << kPrevious << "Entry 'abc' is not valid" << calls;
        QTest::newRow("talk blank") << "txtTalk"
                                    << "   " << true << kPrevious << ""
                                    << "";
    }

    void fieldEntries() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(int, stored);
        QFETCH(QString, message);
        QFETCH(QString, title);

        FormFixture f;
        f.clickView("picStaff");
        SetStored(*f.form, field, kPrevious);
        // The other fields hold text, so leaving for the Calculate button
        // meets no blank-field question.
        for (const char* other : {"txtTalk", "txtAcw", "txtCalls", "txtSlo"})
            if (field != QLatin1String(other))
                f.field(QString::fromLatin1(other))->setText(QStringLiteral("1"));
        QLineEdit* edit = f.field(field);
        edit->setFocus(Qt::OtherFocusReason);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);

        QCOMPARE(QApplication::focusWidget() == edit, !accepted);
        QCOMPARE(Stored(*f.form, field), stored);
        QCOMPARE(edit->text(), text);  // never rewritten
        if (message.isEmpty()) {
            QVERIFY(f.messages.empty());
        } else {
            QCOMPARE(f.messages.size(), std::size_t(1));
            QCOMPARE(f.messages[0], (ShownMessage{message, title}));
        }
    }

    void enteringByTabSelectsTheWholeText() {
        FormFixture f;
        f.clickView("picStaff");
        typeWorkedExample(f);
        f.field(QStringLiteral("txtTalk"))->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(f.field(QStringLiteral("txtTalk")), Qt::Key_Tab);
        QLineEdit* acw = f.field(QStringLiteral("txtAcw"));
        QCOMPARE(QApplication::focusWidget(), acw);
        QCOMPARE(acw->selectedText(), QStringLiteral("30"));
        QTest::keyClicks(acw, QStringLiteral("45"));
        QCOMPARE(acw->text(), QStringLiteral("45"));
    }

    void blankCheckShowsOnlyTheFirstBlankField() {
        FormFixture f;
        f.clickView("picStaff");
        f.typeAndTab(QStringLiteral("txtTalk"), QStringLiteral("180"));
        f.typeAndTab(QStringLiteral("txtCalls"), QStringLiteral("100"));
        f.click(f.find(QStringLiteral("btnCalculate")));
        QCOMPARE(f.messages.size(), std::size_t(1));
        QCOMPARE(f.messages[0],
                 (ShownMessage{"Please enter a value for After-Call Work Time", "Validate"}));
        QCOMPARE(QApplication::focusWidget(), f.field(QStringLiteral("txtAcw")));
        QCOMPARE(f.list(QStringLiteral("lstAgents"))->count(), 0);  // no calculation
    }

    void blankCheckByTab() {
        FormFixture f;
        f.clickView("picStaff");
        f.typeAndTab(QStringLiteral("txtTalk"), QStringLiteral("180"));
        f.typeAndTab(QStringLiteral("txtAcw"), QStringLiteral("30"));
        f.typeAndTab(QStringLiteral("txtCalls"), QStringLiteral("100"));
        QTest::keyClick(f.field(QStringLiteral("txtSlo")), Qt::Key_Tab);  // blank, on to the button
        QCOMPARE(f.messages.size(), std::size_t(1));
        QCOMPARE(f.messages[0],
                 (ShownMessage{"Please enter a value for Service Level Objective", "Validate"}));
        QCOMPARE(QApplication::focusWidget(), f.field(QStringLiteral("txtSlo")));
    }

    void workedExampleByClickingCalculate() {
        FormFixture f;
        f.calculateWorkedExample();
        QVERIFY(f.messages.empty());
        QCOMPARE(f.items(QStringLiteral("lstAgents")),
                 Lines(corvane::testing::kWorkedStaffingHead) +
                     Lines(corvane::testing::kWorkedStaffingRows));
        QCOMPARE(
            f.items(QStringLiteral("lstDelays")),
            Lines(corvane::testing::kWorkedDelayHead) + Lines(corvane::testing::kWorkedDelayRows));
        QCOMPARE(f.view(), QStringLiteral("Agents"));
    }

    void echoShowsTheTextAsTyped() {
        FormFixture f;
        f.clickView("picStaff");
        typeWorkedExample(f);
        f.typeAndTab(QStringLiteral("txtTalk"), QStringLiteral("180.4"));
        f.click(f.find(QStringLiteral("btnCalculate")));
        QCOMPARE(f.items(QStringLiteral("lstAgents"))[0],
                 QStringLiteral("Average Talk Time (Sec.)      : 180.4"));
        QCOMPARE(f.items(QStringLiteral("lstAgents"))[7],
                 QString::fromLatin1(corvane::testing::kWorkedStaffingRows[0]));
    }

    void refusedEntryBlocksAClickOnCalculate() {
        FormFixture f;
        f.clickView("picStaff");
        typeWorkedExample(f);
        QLineEdit* talk = f.field(QStringLiteral("txtTalk"));
        talk->setFocus(Qt::OtherFocusReason);
        talk->selectAll();
        QTest::keyClicks(talk, QStringLiteral("1801"));
        f.click(f.find(QStringLiteral("btnCalculate")));
        QCOMPARE(f.messages.size(), std::size_t(1));
        QCOMPARE(f.messages[0].text, QStringLiteral("Entry must be 1-1800"));
        QCOMPARE(QApplication::focusWidget(), talk);
        QCOMPARE(f.list(QStringLiteral("lstAgents"))->count(), 0);
        QCOMPARE(talk->text(), QStringLiteral("1801"));
    }

    void refusedEntryBlocksAViewSwitchAndTheAccessKey() {
        FormFixture f;
        f.clickView("picStaff");
        QLineEdit* calls = f.field(QStringLiteral("txtCalls"));
        calls->setFocus(Qt::OtherFocusReason);
        QTest::keyClicks(calls, QStringLiteral("abc"));
        f.clickView("picTrunks");
        QCOMPARE(f.view(), QStringLiteral("Agents"));
        QCOMPARE(f.messages.size(), std::size_t(1));
        QCOMPARE(QApplication::focusWidget(), calls);

        QTest::keyClick(calls, Qt::Key_C, Qt::AltModifier);
        QTest::qWait(200);  // an accepted access key clicks after a short delay
        QCOMPARE(f.messages.size(), std::size_t(2));
        QCOMPARE(f.messages[1], (ShownMessage{"Entry 'abc' is not valid", "Calls per Half-Hour"}));
        QCOMPARE(f.list(QStringLiteral("lstAgents"))->count(), 0);
    }

    void menuCalculateChecksOnlyTheFocusedField() {
        FormFixture f;
        f.clickView("picStaff");
        typeWorkedExample(f);
        QLineEdit* slo = f.field(QStringLiteral("txtSlo"));
        slo->setFocus(Qt::OtherFocusReason);
        slo->selectAll();
        QTest::keyClicks(slo, QStringLiteral("601"));
        f.form->mnuCalculate_Click();
        QCOMPARE(f.messages.size(), std::size_t(1));
        QCOMPARE(f.messages[0], (ShownMessage{"Entry must be 0-600", "Service Level Objective"}));
        QCOMPARE(f.list(QStringLiteral("lstAgents"))->count(), 0);

        // A good entry typed but not yet left is stored before the run.
        slo->selectAll();
        QTest::keyClicks(slo, QStringLiteral("20"));
        f.form->mnuCalculate_Click();
        QCOMPARE(f.items(QStringLiteral("lstAgents")).mid(7),
                 Lines(corvane::testing::kWorkedStaffingRows));
        QCOMPARE(f.messages.size(), std::size_t(1));
    }

    void calculateInTheOpeningViewDoesNothing() {
        FormFixture f;
        f.form->mnuCalculate_Click();
        QCOMPARE(f.list(QStringLiteral("lstAgents"))->count(), 0);
        QCOMPARE(f.list(QStringLiteral("lstErlangs"))->count(), 0);
        QVERIFY(f.messages.empty());
    }

    void clearOutsideTheTrunksViewClearsStaffingOnly() {
        for (const char* view : {"picCorvane", "picStaff", "picDelays"}) {
            FormFixture f;
            f.clickView("picStaff");
            typeWorkedExample(f);
            f.click(f.find(QStringLiteral("btnCalculate")));
            f.clickView("picTrunks");
            f.typeAndTab(QStringLiteral("txtErlang(0)"), QStringLiteral("10"));
            f.typeAndTab(QStringLiteral("txtBusy(0)"), QStringLiteral("1"));
            f.form->CalculateTrunks();
            const QStringList trunkTable = f.items(QStringLiteral("lstErlangs"));
            f.clickView(view);
            f.form->mnuClear_Click();
            for (const char* name : {"txtTalk", "txtAcw", "txtCalls", "txtSlo"})
                QVERIFY(f.field(QString::fromLatin1(name))->text().isEmpty());
            QCOMPARE(f.form->model().staffing.talk + f.form->model().staffing.acw +
                         f.form->model().staffing.calls + f.form->model().staffing.slo,
                     0);
            QCOMPARE(f.list(QStringLiteral("lstAgents"))->count(), 0);
            QCOMPARE(f.list(QStringLiteral("lstDelays"))->count(), 0);
            QCOMPARE(f.field(QStringLiteral("txtErlang(0)"))->text(), QStringLiteral("10.0"));
            QCOMPARE(f.form->model().trunks[0].erlangs, 10.0);
            QCOMPARE(f.items(QStringLiteral("lstErlangs")), trunkTable);
            QVERIFY(f.messages.empty());
            if (QString::fromLatin1(view) != QLatin1String("picCorvane"))
                QCOMPARE(QApplication::focusWidget(), f.field(QStringLiteral("txtTalk")));
        }
    }
};

QTEST_MAIN(StaffingInputsTest)
#include "staffing_inputs_test.moc"
