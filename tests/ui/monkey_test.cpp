// Thousands of random but reproducible user actions on the main window:
// typing any text, keys, clicks anywhere, every menu command, view
// switches, and commands during a trunk run.
// Nothing may crash, no unexpected error may show, and the lists keep
// their invariants. CORVANE_MONKEY_SEEDS (say "1,2,3") and
// CORVANE_MONKEY_ACTIONS (2500) choose the runs.
#include "ui/form_fixture.h"
#include "ui/window_helpers.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <random>

#include "output/print_surface.h"

using corvane::testing::FormFixture;

namespace {

// Print: sometimes cancelled, sometimes printed on a surface that discards.
class RandomPrintDialog : public corvane::output::PrintDialog,
                          public corvane::output::PrintSurface {
public:
    std::mt19937* rng = nullptr;
    std::optional<int> Choose() override {
        const int copies = static_cast<int>((*rng)() % 3);
        if ((*rng)() % 3 == 0) return std::nullopt;
        return copies;
    }
    PrintSurface* Surface() override { return this; }
    void SetFont(const QString&, double) override {}
    void PrintLine(const QString&) override {}
    void PrintEmptyLine() override {}
    void PrintPicture(const QPicture&, QSize) override {}
    void NewPage() override {}
    void FitWidth(int) override {}
    void SetPageHeading(const QStringList&) override {}
    void EndDoc() override {}
    bool Failed() const override { return false; }
};

QString RandomText(std::mt19937& rng) {
    static const QStringList plausible = {"180",  "30",    "100",   "20",  "12.5",  "-5",
                                          "0",    "1800",  "1801",  "0.1", "699.9", "0.05",
                                          "99.5", "40000", "1,234", " 7 ", "abc",   "",
                                          "   ",  "2.5",   "1e3",   "--1", ".",     "720"};
    static const QString odd =
        QStringLiteral("\u00e9\u00fc\u20ac\u4e2d\u2019\u202f\u0001\u0007\u007f\u0660\u00a0");
    QString s;
    switch (rng() % 5) {
        case 3:  // non-ASCII and control characters
            for (int i = 0, n = 1 + static_cast<int>(rng() % 6); i < n; ++i)
                s += odd[static_cast<int>(rng() % odd.size())];
            return s;
        case 2:  // printable ASCII
            for (int i = 0, n = static_cast<int>(rng() % 12); i < n; ++i)
                s += QChar(32 + static_cast<int>(rng() % 95));
            return s;
        case 4:  // long
            return QString(100 + static_cast<int>(rng() % 300),
                           QChar(QLatin1Char("0123456789.,"[rng() % 12])));
        default: return plausible[static_cast<int>(rng() % plausible.size())];
    }
}

// Types any text, also characters a keyboard test helper cannot spell.
void TypeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

}  // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

    static QStringList Lists(const FormFixture& f) {
        return f.items("lstAgents") + QStringList{"|"} + f.items("lstDelays") + QStringList{"|"} +
               f.items("lstErlangs");
    }

    static void CheckInvariants(const FormFixture& f) {
        const int agents = f.list("lstAgents")->count();
        const int delays = f.list("lstDelays")->count();
        QVERIFY2((agents == 0 && delays == 0) || (agents >= 7 && agents - 7 == delays - 8),
                 qPrintable(
                     QStringLiteral("%1 staffing lines, %2 delay lines").arg(agents).arg(delays)));
        if (!f.form->Model().trunkRun.Active()) {
            QVERIFY(!f.find("btnCancelTrunks")->isVisible());
            QVERIFY(QApplication::overrideCursor() == nullptr);
        }
        QVERIFY(!f.find("lstErlangs")->isVisible());
        for (const auto& m : f.messages)
            QVERIFY2(!m.text.startsWith(QLatin1String("Unexpected error")), qPrintable(m.text));
    }

    // One random action; returns whether it may change the lists.
    bool Act(FormFixture& f, std::mt19937& rng, bool duringRun) {
        switch (rng() % 10) {
            case 0:
            case 1:
            case 2: {  // type into the focused field, or into a field clicked first
                QList<QLineEdit*> fields;
                for (QLineEdit* e : f.form->findChildren<QLineEdit*>())
                    if (e->isVisible() && !e->isReadOnly()) fields << e;
                if (!fields.isEmpty() && rng() % 2)
                    f.click(fields[static_cast<int>(rng() % fields.size())]);
                if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
                    field->selectAll();
                    TypeText(field, RandomText(rng));
                    ++typed_;
                    if (rng() % 2) {  // and leave it, so its check runs
                        QTest::keyClick(field, Qt::Key_Tab);
                        ++checked_;
                    }
                }
                return false;
            }
            case 3: {  // keys
                static const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
                    {Qt::Key_Tab, Qt::NoModifier},    {Qt::Key_Backtab, Qt::ShiftModifier},
                    {Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Space, Qt::NoModifier},
                    {Qt::Key_Escape, Qt::NoModifier}, {Qt::Key_C, Qt::AltModifier},
                    {Qt::Key_F1, Qt::NoModifier},     {Qt::Key_Backspace, Qt::NoModifier}};
                const auto& [key, mods] = keys[rng() % std::size(keys)];
                QWidget* focus = QApplication::focusWidget();
                QTest::keyClick(focus ? focus : f.form.get(), key, mods);
                QTest::qWait(key == Qt::Key_C ? 150 : 0);  // an access key clicks a little later
                return key == Qt::Key_Return || key == Qt::Key_Space || key == Qt::Key_C;
            }
            case 4:
            case 5: {  // click any visible control
                QList<QWidget*> visible;
                for (QWidget* w : f.form->centralWidget()->findChildren<QWidget*>())
                    if (w->isVisible() && w->parentWidget() == f.form->centralWidget())
                        visible << w;
                if (visible.isEmpty()) return false;
                QWidget* target = visible[static_cast<int>(rng() % visible.size())];
                f.click(target);
                return target->objectName() == QLatin1String("btnCalculate") ||
                       target->objectName() == QLatin1String("btnTrunks");
            }
            case 6: {  // view switch
                static const char* const buttons[] = {"picCorvane", "picStaff", "picDelays",
                                                      "picTrunks"};
                f.clickView(buttons[rng() % 4]);
                return false;
            }
            case 7:
            case 8: {  // a menu command
                QList<QAction*> actions;
                for (QAction* menu : f.form->menuBar()->actions())
                    for (QAction* a : menu->menu()->actions())
                        if (a->objectName() != QLatin1String("mnuExit")) actions << a;
                QAction* a = actions[static_cast<int>(rng() % actions.size())];
                a->trigger();
                return a->objectName() == QLatin1String("mnuCalculate") ||
                       a->objectName() == QLatin1String("mnuClear");
            }
            default: {  // a trunk run, with more actions inside it
                if (duringRun) {
                    f.form->CalculateTrunks();  // refused while one runs
                    return false;
                }
                f.clickView("picTrunks");
                for (int g = 0; g < 2; ++g)
                    f.fillGroup(static_cast<int>(rng() % corvane::model::kTrunkGroups),
                                QString::number(0.1 + static_cast<double>(rng() % 3000) / 10.0),
                                QString::number(1 + rng() % 99));
                int inner = 0;
                pump_.onPump = [&](int) {
                    if (inner < 6 && rng() % 40 == 0) {
                        ++inner;
                        Act(f, rng, true);
                    }
                };
                f.form->CalculateTrunks();
                pump_.onPump = nullptr;
                return true;
            }
        }
    }

    corvane::testing::ScriptedPump pump_;
    int typed_ = 0;
    int checked_ = 0;

private slots:
    void RandomActions_data() {  // NOLINT: Qt Test finds the data by this name
        QTest::addColumn<unsigned>("seed");
        QTest::addColumn<int>("actions");
        const int actions = qEnvironmentVariableIntValue("CORVANE_MONKEY_ACTIONS");
        for (const QString& seed :
             qEnvironmentVariable("CORVANE_MONKEY_SEEDS", QStringLiteral("1,2,3"))
                 .split(QLatin1Char(','), Qt::SkipEmptyParts))
            QTest::newRow(qPrintable("seed " + seed.trimmed()))
                << seed.trimmed().toUInt() << (actions > 0 ? actions : 2500);
    }

    void RandomActions() {
        QFETCH(unsigned, seed);
        QFETCH(int, actions);
        std::mt19937 rng(seed);
        FormFixture f;
        RandomPrintDialog print;
        print.rng = &rng;
        f.form->SetPrintDialog(&print);
        f.form->SetEventPump(&pump_);
        // The About box is modal: close whatever modal window opens.
        QTimer closer;
        connect(&closer, &QTimer::timeout, [] {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                modal->reject();
        });
        closer.start(5);

        QStringList before = Lists(f);
        typed_ = checked_ = 0;
        for (int n = 0; n < actions; ++n) {
            // A closed modal window takes the activation with it; a user
            // would click the window again.
            if (!f.form->isActiveWindow()) {
                f.form->activateWindow();
                if (!QTest::qWaitForWindowActive(f.form.get(), 200))
                    qWarning("the window did not come back");
            }
            const bool mayChange = Act(f, rng, false);
            CheckInvariants(f);
            if (QTest::currentTestFailed()) qFatal("invariant broken after action %d", n);
            const QStringList after = Lists(f);
            if (!mayChange)
                QVERIFY2(after == before,
                         qPrintable(QStringLiteral("action %1 changed a list").arg(n)));
            before = after;
        }
        // The monkey must really have typed: hundreds of texts, half of them
        // checked on the way out of their field.
        QVERIFY2(
            typed_ >= actions / 8 && checked_ >= actions / 16,
            qPrintable(QStringLiteral("%1 texts typed, %2 checked").arg(typed_).arg(checked_)));
    }
};

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
