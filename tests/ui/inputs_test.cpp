// The input fields as the window carries out their checks, the blank
// check of Calculate, Clear, and the trunk run as the user sees it.
#include "ui/form_fixture.h"
#include "ui/window_helpers.h"

#include "support/worked_example.h"
#include "ui/regional_marks.h"

using corvane::testing::FormFixture;
using corvane::testing::ScriptedPump;
using corvane::testing::ShownMessage;

class InputsTest : public QObject {
    Q_OBJECT

private slots:
    // Every entry's decision is the model's (its own table); here, what the
    // window does with one: the text kept or rewritten, the focus kept on a
    // refusal, the message under the field's title.
    void ChecksAreCarriedOutOnTheFields() {
        struct Case {
            const char* view;
            const char* field;
            const char* text;
            const char* shown;
            ShownMessage message;  // empty: accepted silently
        };
        const Case cases[] = {
            {"picStaff", "txtTalk", "12.5", "12.5", {}},
            {"picStaff", "txtTalk", "1801", "1801", {"Entry must be 1-1800", "Average Talk Time"}},
            {"picStaff", "txtCalls", "   ", "   ", {}},
            {"picTrunks", "txtErlang(1)", "5", "5.0", {}},
            {"picTrunks", "txtBusy(1)", "99.5", "99.5", {"Value must be between 1 and 99", "Busy"}},
        };
        for (const Case& c : cases) {
            FormFixture f;
            f.clickView(c.view);
            f.typeAndTab(c.field, c.text);
            QLineEdit* edit = f.field(c.field);
            QCOMPARE(QApplication::focusWidget() == edit, !c.message.text.isEmpty());
            QCOMPARE(edit->text(), QString::fromLatin1(c.shown));
            QCOMPARE(f.messages, c.message.text.isEmpty() ? std::vector<ShownMessage>{}
                                                          : std::vector<ShownMessage>{c.message});
        }
    }

    void BlankFieldsAreAskedForByClickAndByTab() {
        FormFixture f;
        f.clickView("picStaff");
        f.typeAndTab("txtTalk", QStringLiteral("180"));
        f.typeAndTab("txtCalls", QStringLiteral("100"));
        f.click(f.find("btnCalculate"));
        QCOMPARE(f.messages.back(),
                 (ShownMessage{"Please enter a value for After-Call Work Time", "Validate"}));
        QCOMPARE(QApplication::focusWidget(), f.field("txtAcw"));
        QCOMPARE(f.list("lstAgents")->count(), 0);
        f.typeAndTab("txtAcw", QStringLiteral("30"));
        QTest::keyClick(f.field("txtCalls"), Qt::Key_Tab);  // on to the blank one
        QTest::keyClick(f.field("txtSlo"), Qt::Key_Tab);    // and past it
        QCOMPARE(f.messages.back(),
                 (ShownMessage{"Please enter a value for Service Level Objective", "Validate"}));
        QCOMPARE(f.messages.size(), std::size_t(2));
        QCOMPARE(QApplication::focusWidget(), f.field("txtSlo"));
    }

    void TabSelectsTheEntryAndTheTableEchoesItAsTyped() {
        FormFixture f;
        f.typeStaffing();
        f.typeAndTab("txtTalk", QStringLiteral("180.4"));
        QCOMPARE(f.field("txtAcw")->selectedText(), QStringLiteral("30"));
        f.click(f.find("btnCalculate"));
        QCOMPARE(f.items("lstAgents").first(),
                 QStringLiteral("Average Talk Time (Sec.)      : 180.4"));
        QCOMPARE(f.items("lstAgents").last(),
                 QString::fromStdString(corvane::testing::WorkedExample("agents").back()));
        QCOMPARE(f.list("lstDelays")->count(), 8 + 9);
    }

    void ARefusedEntryHoldsTheFocusAgainstEveryWayOut() {
        FormFixture f;
        f.typeStaffing();
        QLineEdit* calls = f.typeOver("txtCalls", QStringLiteral("abc"));
        f.click(f.find("btnCalculate"));
        f.clickView("picTrunks");
        QTest::keyClick(calls, Qt::Key_C, Qt::AltModifier);
        QTest::qWait(200);    // an accepted access key would click by now
        f.form->Calculate();  // the menu checks the focused field too
        QCOMPARE(f.messages,
                 std::vector<ShownMessage>(4, {"Entry 'abc' is not valid", "Calls per Half-Hour"}));
        QCOMPARE(f.view(), QStringLiteral("Agents"));
        QCOMPARE(QApplication::focusWidget(), calls);
        QCOMPARE(f.list("lstAgents")->count(), 0);
        // A good entry typed but not yet left is stored before a menu run.
        f.typeOver("txtCalls", QStringLiteral("100"));
        f.form->Calculate();
        QCOMPARE(f.list("lstAgents")->count(), 7 + 9);
    }

    void TypingAfterARefusalReplacesTheRefusedEntry() {
        FormFixture f;
        f.typeStaffing();
        f.typeAndTab("txtCalls", QStringLiteral("0"));
        QCOMPARE(f.messages.size(), std::size_t(1));
        QLineEdit* calls = f.field("txtCalls");
        QCOMPARE(QApplication::focusWidget(), calls);
        QTest::keyClicks(calls, QStringLiteral("12"));
        QCOMPARE(calls->text(), QStringLiteral("12"));
    }

    void ClearEmptiesTheSideOfTheView() {
        FormFixture f;
        f.calculateStaffing();
        f.clickView("picTrunks");
        f.fillGroup(0, QStringLiteral("10"), QStringLiteral("1"));
        f.form->CalculateTrunks();
        const QStringList trunkTable = f.items("lstErlangs");
        f.clickView("picCorvane");  // outside the trunks view: the staffing side
        f.form->Clear();
        QVERIFY(f.field("txtTalk")->text().isEmpty() && f.form->Model().staffing.calls == 0);
        QCOMPARE(f.list("lstAgents")->count() + f.list("lstDelays")->count(), 0);
        QCOMPARE(f.items("lstErlangs"), trunkTable);
        f.clickView("picTrunks");
        f.form->Clear();
        QVERIFY(f.field("txtErlang(0)")->text().isEmpty() && f.required(0).isEmpty());
        QCOMPARE(f.list("lstErlangs")->count(), 0);
        QCOMPARE(f.form->Model().trunks[0].erlangs, 0.0);
        QCOMPARE(QApplication::focusWidget(), f.field("txtErlang(0)"));
        QVERIFY(f.messages.empty());
    }

    // What a user can do while the search lets the window's events run.
    void DuringARun() {
        struct Case {
            const char* what;
            int at;  // the pump at which the user acts
            std::function<void(FormFixture&)> act;
            QStringList required;  // groups 0 to 2 afterwards
            bool refusedField;     // a refused entry waits in a field meanwhile
        };
        const Case cases[] = {
            {"cancel, a refused field aside",
             25,
             [](FormFixture& f) { f.click(f.find("btnCancelTrunks")); },
             {" 18", " 0", " 15"},
             true},
            {"a second run and a clear",
             5,
             [](FormFixture& f) {
                 f.form->Calculate();
                 f.form->Clear();
             },
             {" 18", " 117", " 15"},
             false},
            {"close", 22, [](FormFixture& f) { f.form->close(); }, {" 18", " 0", " 0"}, false},
            {"another view",
             3,
             [](FormFixture& f) { f.clickView("picStaff"); },
             {" 18", " 117", " 15"},
             false},
        };
        for (const Case& c : cases) {
            FormFixture f;
            f.clickView("picTrunks");
            f.fillGroup(0, QStringLiteral("10"), QStringLiteral("1"));   // 18 candidates
            f.fillGroup(1, QStringLiteral("100"), QStringLiteral("1"));  // 117
            f.fillGroup(2, QStringLiteral("10"), QStringLiteral("5"));   // 15
            if (c.refusedField) f.typeOver("txtErlang(4)", QStringLiteral("abc"));
            ScriptedPump pump;
            bool runShown = false;
            pump.onPump = [&](int n) {
                if (n != c.at) return;
                runShown = f.find("btnCancelTrunks")->isVisible() &&
                           !f.find("btnTrunks")->isVisible() &&
                           QApplication::overrideCursor()->shape() == Qt::WaitCursor;
                c.act(f);
            };
            f.form->SetEventPump(&pump);
            f.form->CalculateTrunks();
            f.form->SetEventPump(nullptr);
            QVERIFY2(runShown, c.what);
            QCOMPARE((QStringList{f.required(0), f.required(1), f.required(2)}), c.required);
            QVERIFY2(f.messages.empty(), c.what);
            // Idle again; the Calculate button shows only in the trunks view.
            QVERIFY(!f.find("btnCancelTrunks")->isVisible() &&
                    !f.find("lblCancelTrunks")->isVisible());
            QVERIFY(QApplication::overrideCursor() == nullptr &&
                    !f.form->Model().trunkRun.Active());
            QCOMPARE(f.find("btnTrunks")->isVisible(),
                     f.form->isVisible() && f.view() == QLatin1String("Trunks"));
        }
    }

    // The marks a locale gives never let one number read two ways.
    void RegionalMarksNeverCoincide() {
        struct Case {
            const char* group;
            const char* decimal;
            const char* usedGroup;
            const char* usedDecimal;
        };
        const Case cases[] = {
            {",", ".", ",", "."}, {".", ",", ".", ","}, {"\u00a0", ",", "\u00a0", ","},
            {",", ",", ".", ","}, {".", ".", ",", "."}, {"", "", "", "."},
            {".", "", ",", "."},
        };
        for (const Case& c : cases) {
            const corvane::NumberMarks marks =
                corvane::ui::MarksFrom(QString::fromUtf8(c.group), QString::fromUtf8(c.decimal));
            QCOMPARE(marks.group, std::string(c.usedGroup));
            QCOMPARE(marks.decimal, std::string(c.usedDecimal));
        }
    }

    void GermanMarksInFieldsAndTables() {
        FormFixture f;
        f.form->setLocale(QLocale(QLocale::German, QLocale::Germany));
        f.clickView("picTrunks");
        f.fillGroup(0, QStringLiteral("12,5"), QStringLiteral("2,5"));
        QCOMPARE(f.field("txtErlang(0)")->text(), QStringLiteral("12,5"));
        f.form->CalculateTrunks();
        QCOMPARE(f.items("lstErlangs").at(4),
                 QStringLiteral("   1        12,5            2         20"));
        QVERIFY(f.messages.empty());
    }
};

QTEST_MAIN(InputsTest)
#include "inputs_test.moc"
