// The plan window: what it plans, refuses, copies and saves, checked
// against corvane-plan's own files for the same options.
#include <QAction>
#include <QApplication>
#include <QPrinter>
#include <QClipboard>
#include <QDropEvent>
#include <QFile>
#include <QDate>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QToolTip>
#include <QProcess>
#include <QCheckBox>
#include <map>
#include <QComboBox>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <memory>

#include "output/painter_print_surface.h"
#include "input/forecast_csv.h"
#include "input/label_time.h"
#include "shifts/shift_file.h"
#include "output/print_surface.h"
#include "ui/forecast_opener.h"
#include "ui/help_viewer.h"
#include "ui/plan_chart_view.h"
#include "ui/form1.h"
#include "ui/plan_runner.h"
#include "chart/chart_painters.h"
#include "ui/plan_table_model.h"
#include "ui/roster_view.h"
#include "ui/plan_window.h"

using corvane::model::PlanField;
using corvane::ui::PlanWindow;

namespace {

const QString kExamples = QStringLiteral(CORVANE_EXAMPLES);
const QString kWeek = kExamples + QStringLiteral("/week-export.csv");
const QString kShifts = kExamples + QStringLiteral("/shifts.csv");

struct Opened {
    std::unique_ptr<PlanWindow> window;
    QStringList messages;
};

std::unique_ptr<Opened> Open(const QString& path, const corvane::ui::ReadQuestions& questions = {}) {
    auto opened = std::make_unique<Opened>();
    auto* messages = &opened->messages;
    const auto record = [messages](const QString& text, const QString&) { *messages << text; };
    opened->window.reset(
        corvane::ui::OpenForecast(path, record, QStringLiteral(CORVANE_CHM_FILE), questions));
    if (opened->window) {
        opened->window->setAttribute(Qt::WA_DeleteOnClose, false);
        opened->window->SetMessageFunction(record);
        opened->window->show();
        opened->window->activateWindow();
        QApplication::setActiveWindow(opened->window.get());
    }
    return opened;
}

// Types into an entry and presses Enter; waits for the plan it starts.
void Enter(PlanWindow& w, PlanField field, const QString& text) {
    QLineEdit* entry = w.Entry(field);
    entry->setFocus(Qt::OtherFocusReason);
    entry->selectAll();
    QTest::keyClicks(entry, text);
    QTest::keyClick(entry, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(!w.Runner()->Busy(), 60000);
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// A plan's text without the solver's time, which no two solves share.
QString Untimed(const QString& path) {
    QString text = QString::fromUtf8(Contents(path));
    text.replace(QRegularExpression(QStringLiteral("\"solve_seconds\": [0-9.e+-]+")),
                 QStringLiteral("\"solve_seconds\": T"));
    text.replace(QRegularExpression(QStringLiteral("solved in [0-9.,]+ s")),
                 QStringLiteral("solved in T s"));
    return text;
}

// Writes a file for a test; its path.
QString WriteFile(const QTemporaryDir& dir, const char* name, const QByteArray& content) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// corvane-plan's exit status for the same forecast and options.
int RunProgram(const QString& program, const QStringList& arguments) {
    QProcess run;
    run.start(program, arguments);
    // A run that did not end is no exit status.
    return run.waitForFinished(600000) ? run.exitCode() : -1;
}
int RunPlan(const QStringList& arguments) {
    return RunProgram(QStringLiteral(CORVANE_PLAN), arguments);
}

// Four weeks from Monday 2027-03-01: weekdays 08:00-09:30 in half-hours,
// 40 calls an interval on Mondays and 20 on other days; with `handle`, 120 s
// talk and 30 s acw.
QByteArray FourWeeksOfHistory(bool handle) {
    QByteArray text = handle ? "Date,Time,Calls,Talk,ACW\n" : "Date,Time,Calls\n";
    for (int day = 1; day <= 26; ++day) {
        if ((day - 1) % 7 >= 5) continue;
        for (const char* time : {"08:00", "08:30", "09:00", "09:30"})
            text += QStringLiteral("2027-03-%1,%2,%3%4\n")
                        .arg(day, 2, 10, QLatin1Char('0'))
                        .arg(QString::fromLatin1(time))
                        .arg((day - 1) % 7 == 0 ? 40 : 20)
                        .arg(handle ? QStringLiteral(",120,30") : QString())
                        .toUtf8();
    }
    return text;
}

// Prints to a PDF file instead of asking for a printer.
class PdfDialog : public corvane::output::PrintDialog {
public:
    explicit PdfDialog(const QString& file) {
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(file);
    }
    std::optional<int> Choose() override { return 1; }
    corvane::output::PrintSurface* Surface() override {
        if (!surface_) surface_ = std::make_unique<corvane::output::PainterPrintSurface>(&printer_);
        return surface_.get();
    }

private:
    QPrinter printer_{QPrinter::HighResolution};
    std::unique_ptr<corvane::output::PainterPrintSurface> surface_;
};

}  // namespace

class PlanWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void EveryFileIsTheOneCorvanePlanWrites() {
        const auto o = Open(kWeek);
        QVERIFY(o->window);
        PlanWindow& w = *o->window;
        QCOMPARE(w.windowTitle(), QStringLiteral("week-export.csv \u2014 Corvane plan"));
        QCOMPARE(w.Entry(PlanField::IntervalMinutes)->text(), QStringLiteral("15"));
        QVERIFY(w.Entry(PlanField::IntervalMinutes)->isReadOnly());
        Enter(w, PlanField::Shrinkage, QStringLiteral("30"));
        Enter(w, PlanField::AsaLimit, QStringLiteral("15"));
        QVERIFY(w.ChooseShifts(kShifts));
        QTRY_VERIFY_WITH_TIMEOUT(!w.Runner()->Busy(), 60000);
        QVERIFY(w.Outcome().shifts.has_value());
        QVERIFY(o->messages.isEmpty());

        QTemporaryDir dir;
        const auto at = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
        QVERIFY(w.SavePlan(at("w.csv"), corvane::report::PlanFormat::Csv));
        QVERIFY(w.SavePlan(at("w.json"), corvane::report::PlanFormat::Json));
        QVERIFY(w.SavePlan(at("w.txt"), corvane::report::PlanFormat::Text));
        QVERIFY(w.SaveShiftPlan(at("w-shifts.csv")));
        QVERIFY(w.ExportChart(at("w.svg")));
        QVERIFY(w.ExportChart(at("w.png")));
        const QStringList options{kWeek,      QStringLiteral("--shrinkage"), QStringLiteral("30"),
                                  QStringLiteral("--asa"), QStringLiteral("15"),
                                  QStringLiteral("--shifts"), kShifts};
        const struct {
            const char* format;
            const char* mine;
            const char* theirs;
        } files[] = {{"csv", "w.csv", "p.csv"}, {"json", "w.json", "p.json"}, {"text", "w.txt", "p.txt"}};
        for (const auto& f : files) {
            QCOMPARE(RunPlan(options + QStringList{QStringLiteral("--format"), QString::fromLatin1(f.format),
                                                   QStringLiteral("-o"), at(f.theirs),
                                                   QStringLiteral("--shift-plan"), at("p-shifts.csv"),
                                                   QStringLiteral("--chart"), at("p.svg")}),
                     0);
            QCOMPARE(Untimed(at(f.mine)), Untimed(at(f.theirs)));
        }
        QCOMPARE(Contents(at("w-shifts.csv")), Contents(at("p-shifts.csv")));
        QCOMPARE(Contents(at("w.svg")), Contents(at("p.svg")));
        QCOMPARE(RunPlan(options + QStringList{QStringLiteral("-o"), at("p2.txt"), QStringLiteral("--chart"),
                                               at("p.png")}),
                 0);
        QCOMPARE(Contents(at("w.png")), Contents(at("p.png")));
        // The table shows the shift plan's agents on duty and what they
        // achieve.
        const auto* model = w.IntervalTable()->model();
        QStringList last;
        for (int c = model->columnCount() - 4; c < model->columnCount(); ++c)
            last << model->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(last, (QStringList{QStringLiteral("on_duty"), QStringLiteral("achieved_service_level"),
                                    QStringLiteral("achieved_asa"), QStringLiteral("status")}));

        // A day shown: the Shift plan tab has that day's shifts, their paid
        // hours and what the day's calls achieve, counted here from the
        // files saved above (paid: 8:30 less a lunch of 0:30 for Early, Day
        // and Late, 4:00 for Part).
        auto* day = w.findChild<QComboBox*>(QStringLiteral("cboDay"));
        const int wednesday = day->findText(QStringLiteral("2027-03-03 Wed"));
        day->setCurrentIndex(wednesday);
        emit day->activated(wednesday);  // as the user's choice
        const QString date = QStringLiteral("2027-03-03");
        double paid = 0;
        int groups = 0;
        for (const QString& line : QString::fromUtf8(Contents(at("w-shifts.csv"))).split(QLatin1Char('\n'))) {
            const QStringList f = line.split(QLatin1Char(','));
            if (f.size() < 5 || f[0] != date) continue;
            paid += f[4].toDouble() * (f[1] == QStringLiteral("Part") ? 4 : 8);
            ++groups;
        }
        double calls = 0;
        double answered = 0;
        const QStringList csv = QString::fromUtf8(Contents(at("w.csv"))).split(QLatin1Char('\n'));
        const QStringList head = csv.front().split(QLatin1Char(','));
        const int callsAt = static_cast<int>(head.indexOf(QStringLiteral("calls")));
        const int levelAt = static_cast<int>(head.indexOf(QStringLiteral("achieved_service_level")));
        QVERIFY(callsAt >= 0 && levelAt >= 0);
        for (const QString& line : csv) {
            const QStringList f = line.split(QLatin1Char(','));
            if (f.size() <= levelAt || !f[0].startsWith(date)) continue;
            calls += f[callsAt].toDouble();
            answered += f[callsAt].toDouble() * f[levelAt].toDouble();
        }
        QVERIFY(groups > 0 && calls > 0);
        const QString text = w.findChild<QLabel*>(QStringLiteral("lblShiftTotals"))->text();
        QVERIFY2(text.startsWith(QStringLiteral("Day                  : 2027-03-03 Wed\n"
                                                "Paid agent-hours     : %1 (shifts starting this day)\n")
                                     .arg(w.locale().toString(paid, 'f', 2))),
                 qPrintable(text));
        // The file's levels have two decimals: the day's is as near as that.
        const auto level = QRegularExpression(QStringLiteral("Achieved SL +: ([0-9.]+) % \\(of the day's calls\\)"))
                               .match(text);
        QVERIFY2(level.hasMatch(), qPrintable(text));
        QVERIFY2(qAbs(level.captured(1).toDouble() - answered / calls) <= 0.0051, qPrintable(text));
        const auto* shifts = w.findChild<QTableView*>(QStringLiteral("tblShifts"))->model();
        QCOMPARE(shifts->rowCount(), groups);
        for (int r = 0; r < shifts->rowCount(); ++r) QCOMPARE(shifts->index(r, 0).data().toString(), date);
    }

    void AForecastFromHistoryIsPlannedAndSavedAsCorvaneForecastWritesIt() {
        QTemporaryDir dir;
        const auto at = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
        {
            QFile history(at("history.csv"));
            QVERIFY(history.open(QIODevice::WriteOnly));
            history.write(FourWeeksOfHistory(true));
        }
        QStringList messages;
        const auto record = [&messages](const QString& text, const QString&) { messages << text; };
        std::unique_ptr<PlanWindow> w(corvane::ui::OpenHistory(
            at("history.csv"), record, QStringLiteral(CORVANE_CHM_FILE), {}));
        QVERIFY(w);
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        w->SetMessageFunction(record);
        QCOMPARE(w->windowTitle(), QStringLiteral("Forecast from history.csv \u2014 Corvane plan"));
        // Four weeks after Friday 26 March: twenty weekdays of four
        // half-hours, each as every week of the history had it.
        const auto& rows = w->Outcome().plan.rows;
        QCOMPARE(rows.size(), std::size_t{80});
        QCOMPARE(QString::fromStdString(rows.front().input.label), QStringLiteral("2027-03-29 08:00"));
        QCOMPARE(rows.front().input.calls, 40.0);
        QCOMPARE(rows[4].input.calls, 20.0);
        QCOMPARE(rows.front().input.talk, 120.0);
        // Saved, it is corvane-forecast's file, and the window's plan is
        // corvane-plan's of it.
        QVERIFY(w->findChild<QAction*>(QStringLiteral("mnuSaveForecast"))->isEnabled());
        QVERIFY(w->SaveForecast(at("w-forecast.csv")));
        QCOMPARE(RunProgram(QStringLiteral(CORVANE_FORECAST),
                            {at("history.csv"), QStringLiteral("-o"), at("p-forecast.csv")}),
                 0);
        QCOMPARE(Contents(at("w-forecast.csv")), Contents(at("p-forecast.csv")));
        QVERIFY(w->SavePlan(at("w.csv"), corvane::report::PlanFormat::Csv));
        QCOMPARE(RunPlan({at("p-forecast.csv"), QStringLiteral("--format"), QStringLiteral("csv"),
                          QStringLiteral("-o"), at("p.csv")}),
                 0);
        QCOMPARE(Contents(at("w.csv")).split('\n').mid(1), Contents(at("p.csv")).split('\n').mid(1));
        // Never over the history.
        QVERIFY(messages.isEmpty());
        QVERIFY(!w->SaveForecast(at("history.csv")));
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(QStringLiteral("is the history this plan is read from")),
                 qPrintable(messages[0]));
        QCOMPARE(Contents(at("history.csv")), FourWeeksOfHistory(true));

        // A history without handle times: the talk time is asked, as for a
        // forecast without one; a forecast file's window has none to save.
        {
            QFile history(at("calls.csv"));
            QVERIFY(history.open(QIODevice::WriteOnly));
            history.write(FourWeeksOfHistory(false));
        }
        corvane::ui::ReadQuestions questions;
        int asked = 0;
        questions.handleTime = [&asked](const QString&) -> std::optional<long> {
            ++asked;
            return 150;
        };
        std::unique_ptr<PlanWindow> plain(corvane::ui::OpenHistory(
            at("calls.csv"), record, QStringLiteral(CORVANE_CHM_FILE), questions));
        QVERIFY(plain);
        QCOMPARE(asked, 1);
        QCOMPARE(plain->Outcome().plan.rows.front().input.talk, 150.0);
        const auto o = Open(kWeek);
        QVERIFY(!o->window->findChild<QAction*>(QStringLiteral("mnuSaveForecast"))->isEnabled());
    }

    void RefusedValuesSayWhyAndKeepTheLastPlan() {
        const auto o = Open(kWeek);
        QVERIFY(o->window);
        PlanWindow& w = *o->window;
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const struct {
            PlanField field;
            const char* text;
            const char* message;
        } cases[] = {
            {PlanField::ServicePercent, "100", "Service level (%): '100' must be above 0 and below 100"},
            {PlanField::AnswerSeconds, "2.5", "Answered within (s): '2.5' is not a whole number of seconds"},
            {PlanField::Shrinkage, "abc",
             "Shrinkage (%): 'abc' is not a number (digits, optionally \".\" and decimals)"},
            {PlanField::MaxOccupancy, "0", "Occupancy at most (%): '0' must be above 0 and at most 100"},
            {PlanField::MaxAbandon, "5",
             "Abandoned at most (%): needs a patience (callers only hang up in the model with "
             "abandonment)"},
            {PlanField::Patience, "40000", "Patience (s): '40000' must be 1 to 32767"},
        };
        for (const auto& c : cases) {
            const corvane::model::PlanOutcome* before = &w.Outcome();
            o->messages.clear();
            QLineEdit* entry = w.Entry(c.field);
            entry->setFocus(Qt::OtherFocusReason);
            entry->selectAll();
            QTest::keyClicks(entry, QString::fromLatin1(c.text));
            QTest::keyClick(entry, Qt::Key_Tab);  // leaving it checks it
            QCOMPARE(o->messages, QStringList{QString::fromLatin1(c.message)});
            QCOMPARE(QApplication::focusWidget(), entry);
            QVERIFY(!w.Runner()->Busy());
            QCOMPARE(&w.Outcome(), before);
            // The field shows what the plan on screen used, and a second
            // Tab leaves it without a word.
            const QString accepted =
                QString::fromStdString(corvane::model::FieldText(w.Settings(), c.field));
            QCOMPARE(entry->text(), accepted);
            QTest::keyClick(entry, Qt::Key_Tab);
            QCOMPARE(o->messages.size(), 1);
            QVERIFY(QApplication::focusWidget() != entry);
        }
        // Esc gives a field back its last accepted value, unchecked.
        QLineEdit* shrinkage = w.Entry(PlanField::Shrinkage);
        shrinkage->setFocus(Qt::OtherFocusReason);
        shrinkage->selectAll();
        QTest::keyClicks(shrinkage, QStringLiteral("-5"));
        QTest::keyClick(shrinkage, Qt::Key_Escape);
        QCOMPARE(shrinkage->text(),
                 QString::fromStdString(corvane::model::FieldText(w.Settings(), PlanField::Shrinkage)));
        o->messages.clear();
        QTest::keyClick(shrinkage, Qt::Key_Tab);
        QVERIFY(o->messages.isEmpty());
    }

    void OptionsPlanAgainAndTheTableFollows() {
        const auto o = Open(kWeek);
        QVERIFY(o->window);
        PlanWindow& w = *o->window;
        const auto* model = w.IntervalTable()->model();
        const double required = w.Outcome().plan.totals.RequiredHours();
        QCOMPARE(w.Outcome().plan.totals.ScheduledHours(), required);
        Enter(w, PlanField::Shrinkage, QStringLiteral("20"));
        // Scheduled = required / 0.8, rounded up interval by interval.
        QVERIFY(w.Outcome().plan.totals.ScheduledHours() >= required / 0.8);
        QCOMPARE(w.Outcome().plan.totals.RequiredHours(), required);
        QCOMPARE(model->rowCount(), 280);
        Enter(w, PlanField::Patience, QStringLiteral("180"));
        QVERIFY(w.Outcome().plan.options.patience.has_value());
        QCOMPARE(model->headerData(10, Qt::Horizontal).toString(), QStringLiteral("abandon"));
        QVERIFY(w.Outcome().plan.totals.RequiredHours() < required);  // hang-ups lighten the load
        Enter(w, PlanField::MaxAbandon, QStringLiteral("3"));
        QCOMPARE(w.Outcome().plan.options.maxAbandon->units, 3u);
        QVERIFY(o->messages.isEmpty());
    }

    void CopyGivesTheSelectedRowsTabSeparatedWithTheirHeader() {
        const auto o = Open(kWeek);
        QVERIFY(o->window);
        PlanWindow& w = *o->window;
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTableView* table = w.IntervalTable();
        table->setFocus(Qt::OtherFocusReason);
        table->selectRow(2);
        table->selectionModel()->select(table->model()->index(0, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 4);  // header, two rows, the last line's end
        QCOMPARE(lines[0].split(QLatin1Char('\t')).first(), QStringLiteral("interval"));
        QCOMPARE(lines[0].split(QLatin1Char('\t')).size(), table->model()->columnCount());
        // In file order, whatever the order of selecting.
        QCOMPARE(lines[1].split(QLatin1Char('\t')).mid(0, 3),
                 (QStringList{"2027-03-01 08:00", "44.4", "238"}));
        QVERIFY(lines[2].startsWith(QStringLiteral("2027-03-01 08:30\t69.6\t")));
        QTest::keyClick(table, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(w.CopySelection().count(QLatin1Char('\n')), 281);
    }

    void AShiftSolveShowsItsProgressAndCancelKeepsThePlanShown() {
        // A year of half-hours, weekdays busier: the solver takes its time.
        QTemporaryDir dir;
        QByteArray year("date,time,calls,talk\n");
        for (int day = 0; day < 365; ++day)
            for (int slot = 14; slot < 42; ++slot) {
                const double hour = slot / 2.0;
                const double calls = 200 * std::exp(-std::pow((hour - 10.25) / 2.2, 2)) *
                                         (day % 7 < 5 ? 1.0 : 0.4) + 3;
                const QDate date = QDate(2027, 1, 4).addDays(day);
                year += QStringLiteral("%1,%2:%3,%4,270\n")
                            .arg(date.toString(Qt::ISODate))
                            .arg(slot / 2, 2, 10, QLatin1Char('0'))
                            .arg(slot % 2 * 30, 2, 10, QLatin1Char('0'))
                            .arg(calls, 0, 'f', 1)
                            .toUtf8();
            }
        const QString path = WriteFile(dir, "year.csv", year);
        const auto o = Open(path);
        QVERIFY(o->window);
        PlanWindow& w = *o->window;
        QLabel* status = w.statusBar()->findChildren<QLabel*>().value(0);
        auto* cancel = w.findChild<QPushButton*>(QStringLiteral("cmdCancelShifts"));
        QVERIFY(status && cancel);
        QVERIFY(!cancel->isVisible());
        QVERIFY(w.ChooseShifts(kExamples + QStringLiteral("/year-shifts.csv")));
        QVERIFY(cancel->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(
            status->text().startsWith(QStringLiteral("Planning shifts: best cost so far")), 20000);
        QVERIFY(w.Runner()->Busy());
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(!w.Runner()->Busy());  // at once, not when the solver next looks
        QVERIFY2(status->text().startsWith(QStringLiteral("Shift plan cancelled")),
                 qPrintable(status->text()));
        QVERIFY(!w.Outcome().shifts.has_value());
        QVERIFY(!cancel->isVisible());
        QVERIFY(o->messages.isEmpty());
        // The next plan comes once the cancelled solve has stopped.
        Enter(w, PlanField::Shrinkage, QStringLiteral("10"));
        QCOMPARE(w.Outcome().plan.options.shrinkage.units, 10u);
    }

    void CancelAlwaysReachesTheSolveUnderWayAndAClosedWindowsWorkerEnds() {
        // The year above, by the reader, and shifts the solver takes long over.
        QByteArray year("date,time,calls,talk\n");
        for (int day = 0; day < 365; ++day)
            for (int slot = 14; slot < 42; ++slot)
                year += QStringLiteral("%1,%2:%3,%4,270\n")
                            .arg(QDate(2027, 1, 4).addDays(day).toString(Qt::ISODate))
                            .arg(slot / 2, 2, 10, QLatin1Char('0'))
                            .arg(slot % 2 * 30, 2, 10, QLatin1Char('0'))
                            .arg(40 + (slot * 7 + day * 3) % 60)
                            .toUtf8();
        const std::string yearBytes = year.toStdString();
        auto forecast = std::make_shared<const corvane::input::Forecast>(
            corvane::input::ReadForecast(yearBytes, "year.csv", {}).Value());
        QFile shiftsFile(kExamples + QStringLiteral("/year-shifts.csv"));
        QVERIFY(shiftsFile.open(QIODevice::ReadOnly));
        const std::string shiftsBytes = shiftsFile.readAll().toStdString();
        corvane::input::TextSource shiftsText(shiftsBytes);
        auto shifts = corvane::shifts::ReadShiftFile(shiftsText, "year-shifts.csv");
        QVERIFY(shifts.Ok());
        corvane::model::PlanSettings slow;
        slow.shifts = std::make_shared<const corvane::shifts::ShiftFile>(shifts.Value());
        slow.shiftTimeLimit = 300;
        const corvane::model::PlanSettings quick;
        // Cancelled however the click falls against the worker taking the
        // solve up, the solve stops: the next plan does not wait its 300 s.
        for (int i = 0; i < 6; ++i) {
            corvane::ui::PlanRunner runner;
            QSignalSpy planned(&runner, &corvane::ui::PlanRunner::Planned);
            runner.Start(forecast, slow);
            if (i % 3 == 1) QCoreApplication::processEvents();
            if (i % 3 == 2) QTest::qWait(i * 60);
            runner.Cancel();
            QElapsedTimer waited;
            waited.start();
            runner.Start(forecast, quick);
            QVERIFY(planned.wait(600000));
            QVERIFY2(waited.elapsed() < 60000, qPrintable(QString::number(waited.elapsed())));
        }
        // A runner closed mid-solve: its worker ends with the solve.
        {
            corvane::ui::PlanRunner closing;
            closing.Start(forecast, slow);
            QTest::qWait(300);
        }
        QTRY_COMPARE_WITH_TIMEOUT(corvane::ui::PlanWorkersLeft(), 0, 60000);
    }

    void F1OpensTheHelpAtThePlanWindowsPage() {
        const auto o = Open(kWeek);
        QVERIFY(o->window);
        QVERIFY(QTest::qWaitForWindowActive(o->window.get()));
        QTest::keyClick(o->window->Entry(PlanField::Shrinkage), Qt::Key_F1);
        auto* viewer = o->window->findChild<corvane::ui::HelpViewer*>();
        QVERIFY(viewer && viewer->isVisible());
        QCOMPARE(viewer->Browser()->source().path(), QStringLiteral("/plan.htm"));
        QVERIFY(viewer->Browser()->toPlainText().contains(QStringLiteral("Cancel stops it")));
        QVERIFY(o->messages.isEmpty());
    }

    void TheTableMarksRowsOutsideTheRangeAndTableAndEntriesUseTheRegionsMarks() {
        QTemporaryDir dir;
        const QString path =
            WriteFile(dir, "day.csv", "interval,calls,talk\n08:00,120.5,180\n08:30,9000000000,180\n");
        const struct {
            QLocale locale;
            const char* calls;
            const char* erlangs;
        } cases[] = {{QLocale::c(), "120.5", "12.050"},
                     {QLocale(QLocale::German, QLocale::Germany), "120,5", "12,050"}};
        for (const auto& c : cases) {
            QLocale::setDefault(c.locale);
            const auto o = Open(path);
            QLocale::setDefault(QLocale::c());
            QVERIFY(o->window);
            const auto* model = o->window->IntervalTable()->model();
            QCOMPARE(model->index(0, 1).data().toString(), QString::fromLatin1(c.calls));
            QCOMPARE(model->index(0, 4).data().toString(), QString::fromLatin1(c.erlangs));
            QVERIFY(!model->index(0, 0).data(Qt::BackgroundRole).isValid());
            QCOMPARE(model->index(1, model->columnCount() - 1).data().toString(),
                     QStringLiteral("outside the usable range"));
            QVERIFY(model->index(1, 0).data(Qt::BackgroundRole).isValid());
            // An entry is typed and shown with the same mark.
            const QString shrinkage = QString::fromLatin1(c.calls).replace(QLatin1String("120"), "12");
            o->window->setLocale(c.locale);
            Enter(*o->window, PlanField::Shrinkage, shrinkage);
            QCOMPARE(o->window->Settings().options.shrinkage.ToDouble(), 12.5);
            QCOMPARE(o->window->Entry(PlanField::Shrinkage)->text(), shrinkage);
            // The totals and the chart's subtitle follow the region too.
            const bool german = c.locale.decimalPoint() == QStringLiteral(",");
            QString totals;
            for (const QLabel* l : o->window->findChildren<QLabel*>())
                if (l->text().startsWith(QStringLiteral("Required agent-hours"))) totals = l->text();
            const QRegularExpression decimals(german ? QStringLiteral("\\d,\\d\\d")
                                                     : QStringLiteral("\\d\\.\\d\\d"));
            const QRegularExpression others(german ? QStringLiteral("\\d\\.\\d\\d\\b")
                                                   : QStringLiteral("\\d,\\d\\d\\b"));
            QVERIFY2(totals.contains(decimals) && !totals.contains(others), qPrintable(totals));
            const auto* chart = o->window->findChild<corvane::ui::PlanChartView*>();
            QVERIFY(chart);
            const QString subtitle = QString::fromStdString(chart->Data().subtitle);
            QVERIFY2(subtitle.contains(german ? QStringLiteral("shrinkage 12,5 %")
                                              : QStringLiteral("shrinkage 12.5 %")),
                     qPrintable(subtitle));
        }
        // Grouped figures in free text, dates and times left alone.
        const QLocale german(QLocale::German, QLocale::Germany);
        QCOMPARE(corvane::ui::RegionalFigures("Peak 2027-03-01 10:30: 1,694.25 h, 30.5 %, 12 agents", german),
                 QStringLiteral("Peak 2027-03-01 10:30: 1.694,25 h, 30,5 %, 12 agents"));
    }

    // A typed extension that names a format decides it; the filter only
    // gives one to a name without; the dialogs suggest the forecast's name.
    void SaveAsWritesTheFormatTheNameSays() {
        QTemporaryDir dir;
        const QString forecast = WriteFile(dir, "week.csv", "interval,calls,talk\n08:00,10,180\n");
        const auto o = Open(forecast);
        QVERIFY(o->window);
        QString suggested;
        QString answer;
        QString filterChosen;
        o->window->SetSaveNameFunction(
            [&](const QString&, const QString& offered, const QString&, QString* filter) {
                suggested = offered;
                *filter = filterChosen;
                return answer;
            });
        const auto save = [&](const char* action) {
            o->window->findChild<QAction*>(QString::fromLatin1(action))->trigger();
        };
        const struct {
            const char* typed;
            const char* filter;
            const char* written;
            char first;  // of the file: '{' JSON, 'i' CSV, 'D' text
        } cases[] = {
            {"a.json", "CSV (*.csv)", "a.json", '{'},
            {"b.txt", "JSON (*.json)", "b.txt", 'D'},
            {"c", "JSON (*.json)", "c.json", '{'},
            {"d.CSV", "Text (*.txt)", "d.CSV", 'i'},
            {"e.backup", "CSV (*.csv)", "e.backup.csv", 'i'},
        };
        for (const auto& c : cases) {
            answer = dir.filePath(QString::fromLatin1(c.typed));
            filterChosen = QString::fromLatin1(c.filter);
            save("mnuSavePlan");
            QFile written(dir.filePath(QString::fromLatin1(c.written)));
            QVERIFY2(written.open(QIODevice::ReadOnly), c.written);
            QCOMPARE(written.read(1).at(0), c.first);
        }
        QCOMPARE(suggested, dir.filePath(QStringLiteral("week-plan.csv")));
        answer.clear();
        save("mnuExportChart");
        QCOMPARE(suggested, dir.filePath(QStringLiteral("week.png")));
        // No output replaces the forecast it is read from, by its name or a link.
        QVERIFY(QFile::link(forecast, dir.filePath(QStringLiteral("link.csv"))));
        for (const QString& name : {forecast, dir.filePath(QStringLiteral("link.csv"))}) {
            o->messages.clear();
            answer = name;
            filterChosen = QStringLiteral("CSV (*.csv)");
            save("mnuSavePlan");
            QCOMPARE(o->messages.size(), 1);
            QVERIFY2(o->messages[0].contains(QStringLiteral("is the forecast this plan is read from")),
                     qPrintable(o->messages[0]));
            QFile kept(forecast);
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), QByteArray("interval,calls,talk\n08:00,10,180\n"));
        }
    }

    void TheIntervalIsTypedOnlyWhereTheLabelsHaveNoTimes() {
        QTemporaryDir dir;
        const QString path =
            WriteFile(dir, "untimed.csv", "period,calls,talk\nmorning,100,180\nnoon,200,180\n");
        const auto o = Open(path);
        QVERIFY(o->window);
        PlanWindow& w = *o->window;
        QLineEdit* interval = w.Entry(PlanField::IntervalMinutes);
        QVERIFY(!interval->isReadOnly());
        QCOMPARE(interval->text(), QStringLiteral("30"));
        QCOMPARE(w.Outcome().plan.rows[0].erlangs, 10.0);  // 100 calls x 180 s in 30 minutes
        Enter(w, PlanField::IntervalMinutes, QStringLiteral("60"));
        QCOMPARE(w.Outcome().plan.rows[0].erlangs, 5.0);
        Enter(w, PlanField::IntervalMinutes, QStringLiteral("45"));
        QCOMPARE(o->messages, QStringList{"Interval (min): '45' must be 15, 30 or 60 minutes"});
        QCOMPARE(w.Outcome().plan.rows[0].erlangs, 5.0);
    }

    // The window fits the screen it opens on: its first size, its least
    // size (a small laptop's 800 x 600), and a size remembered from a larger
    // screen.
    void SizeAndPlaceAreRememberedWithinTheScreen() {
        const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
        QSettings().remove(QStringLiteral("planWindow/geometry"));
        {
            const auto first = Open(kWeek);
            QVERIFY(first->window);
            QVERIFY2(room.contains(first->window->geometry()),
                     qPrintable(QStringLiteral("%1x%2").arg(first->window->width()).arg(first->window->height())));
            const QSize least = first->window->minimumSizeHint();
            QVERIFY2(least.width() <= 800 && least.height() <= 600,
                     qPrintable(QStringLiteral("%1x%2").arg(least.width()).arg(least.height())));
            first->window->resize(800, 600);
            QCOMPARE(first->window->size(), QSize(800, 600));
            // Remembered on a far larger screen, far to the right.
            first->window->setGeometry(room.right() + 2000, 30, room.width() + 1500, room.height() + 900);
            first->window->close();
        }
        const auto again = Open(kWeek);
        QVERIFY(again->window);
        QVERIFY(again->window->width() <= room.width() && again->window->height() <= room.height());
        QVERIFY(room.contains(again->window->geometry().topLeft()));
        QRect placed;
        {
            const auto o = Open(kWeek);
            o->window->setGeometry(room.left() + 10, room.top() + 20, 700, 560);
            placed = o->window->geometry();
            o->window->close();
        }
        const auto remembered = Open(kWeek);
        QCOMPARE(remembered->window->geometry().size(), placed.size());
    }

    void APlanTheShiftsCannotCoverIsRefusedAndTheLastStays() {
        // examples/shifts.csv works weekdays only; the week has a weekend.
        const auto o = Open(kWeek);
        QVERIFY(o->window);
        PlanWindow& w = *o->window;
        const corvane::model::PlanOutcome* before = &w.Outcome();
        QVERIFY(w.ChooseShifts(kExamples + QStringLiteral("/week-export.csv")) == false);
        QCOMPARE(o->messages.size(), 1);  // not a shifts file: refused as it is read
        QVERIFY(o->messages[0].contains(QStringLiteral("week-export.csv:1")));
        QVERIFY(w.ChooseShifts(kShifts));
        QTRY_VERIFY_WITH_TIMEOUT(!w.Runner()->Busy(), 60000);
        QVERIFY(w.Outcome().shifts.has_value());  // the sample shifts do cover the week
        o->messages.clear();
        QTemporaryDir dir;
        const QString weekdays = WriteFile(
            dir, "weekdays.csv", "name,length,earliest,latest,days\nDay,8:00,08:00,09:00,Mon-Fri\n");
        before = &w.Outcome();
        QVERIFY(w.ChooseShifts(weekdays));
        QTRY_VERIFY_WITH_TIMEOUT(!w.Runner()->Busy(), 60000);
        QCOMPARE(o->messages.size(), 1);
        QVERIFY2(o->messages[0].contains(QStringLiteral("no shift in")), qPrintable(o->messages[0]));
        QCOMPARE(&w.Outcome(), before);
        QCOMPARE(w.Entry(PlanField::IntervalMinutes)->text(), QStringLiteral("15"));
        // The shifts file shown is the one of the plan shown.
        bool shown = false;
        for (const QLineEdit* e : w.findChildren<QLineEdit*>())
            if (e->placeholderText() == QLatin1String("no shifts file"))
                shown = e->text() == QLatin1String("shifts.csv");
        QVERIFY(shown);
        // Left short, as corvane-plan's --allow-short: the weekend is planned
        // with no one on duty and the plan says so. (Its weekend has calls.)
        auto* allowShort = w.findChild<QCheckBox*>(QStringLiteral("chkAllowShort"));
        QVERIFY(allowShort);
        allowShort->setChecked(true);
        QVERIFY(w.ChooseShifts(weekdays));
        QTRY_VERIFY_WITH_TIMEOUT(!w.Runner()->Busy(), 60000);
        QCOMPARE(o->messages.size(), 1);
        QVERIFY(w.Outcome().shifts.has_value());
        QVERIFY(w.Outcome().shifts->shortIntervals > 0);
        bool weekendOff = true;
        for (const auto& row : w.Outcome().plan.rows)
            if (row.input.label.rfind("2027-03-06", 0) == 0) weekendOff = weekendOff && row.onDuty == 0L;
        QVERIFY(weekendOff);
        // The time limit is an entry of its own, checked as the option is.
        o->messages.clear();
        Enter(w, PlanField::ShiftTimeLimit, QStringLiteral("0"));
        QCOMPARE(o->messages, QStringList{QStringLiteral(
                                  "Time limit (s): '0' must be above 0 and at most 86400 (a day)")});
        QCOMPARE(w.Settings().shiftTimeLimit, 10.0);
        Enter(w, PlanField::ShiftTimeLimit, QStringLiteral("2.5"));
        QCOMPARE(w.Settings().shiftTimeLimit, 2.5);
    }

    // The goal over each day, as --shift-goal day --interval-floor: every
    // day reaches the target, every interval the floor; a floor above the
    // target is refused.
    void AGoalOverTheDayReachesItOnEveryDay() {
        const auto o = Open(kWeek);
        QVERIFY(o->window);
        PlanWindow& w = *o->window;
        Enter(w, PlanField::Shrinkage, QStringLiteral("30"));
        Enter(w, PlanField::ShiftTimeLimit, QStringLiteral("2"));
        Enter(w, PlanField::IntervalFloor, QStringLiteral("85"));
        QCOMPARE(o->messages, QStringList{QStringLiteral(
                                  "Interval floor (%): 85 % is above the service level target (80 %)")});
        Enter(w, PlanField::IntervalFloor, QStringLiteral("60"));
        auto* goal = w.findChild<QComboBox*>(QStringLiteral("cboShiftGoal"));
        QVERIFY(goal);
        goal->setCurrentIndex(1);
        emit goal->activated(1);
        QVERIFY(!w.findChild<QCheckBox*>(QStringLiteral("chkAllowShort"))->isEnabled());
        QVERIFY(w.ChooseShifts(kShifts));
        QTRY_VERIFY_WITH_TIMEOUT(!w.Runner()->Busy(), 60000);
        QCOMPARE(w.Settings().shiftGoal, corvane::shifts::ShiftGoal::Day);
        QCOMPARE(o->messages.size(), 1);
        QVERIFY(w.Outcome().shifts.has_value());
        // Every day reaches 80 % and every interval 60 %.
        for (const auto& d : w.Outcome().shifts->achieved.days)
            QVERIFY(*d.sums.ServiceLevel() >= 0.8);
        for (const auto& row : w.Outcome().plan.rows)
            if (row.achieved) QVERIFY(row.achieved->serviceLevel >= 0.6);
    }

    // A day at a time: chosen above the chart, or clicked on the heat map;
    // the table and the chart show that day, the whole plan a choice away.
    void ADayAtATime() {
        const auto o = Open(kWeek);
        QVERIFY(o->window);
        PlanWindow& w = *o->window;
        auto* day = w.findChild<QComboBox*>(QStringLiteral("cboDay"));
        auto* chart = w.findChild<corvane::ui::PlanChartView*>();
        QVERIFY(day && chart);
        QCOMPARE(day->count(), 8);  // the whole plan and seven days
        QCOMPARE(day->itemText(3), QStringLiteral("2027-03-03 Wed"));
        // The week's days run 08:00 to 17:45 in quarter-hours: 40 rows each.
        day->setCurrentIndex(3);
        emit day->activated(3);
        const auto* table = w.IntervalTable()->model();
        QCOMPARE(table->rowCount(), 40);
        QCOMPARE(table->index(0, 0).data().toString(), QStringLiteral("2027-03-03 08:00"));
        QCOMPARE(table->index(39, 0).data().toString(), QStringLiteral("2027-03-03 17:45"));
        QCOMPARE(chart->Data().points.size(), std::size_t{40});
        QCOMPARE(chart->Data().points.front().label, std::string("2027-03-03 08:00"));
        day->setCurrentIndex(0);
        emit day->activated(0);
        QCOMPARE(table->rowCount(), 280);

        // Twenty days make a heat map; a click on a day's row shows it.
        QTemporaryDir dir;
        QByteArray csv("date,time,calls,talk\n");
        for (int d = 1; d <= 20; ++d)
            for (int h = 8; h < 12; ++h)
                csv += QStringLiteral("2027-03-%1,%2:00,%3,180\n")
                           .arg(d, 2, 10, QLatin1Char('0'))
                           .arg(h, 2, 10, QLatin1Char('0'))
                           .arg(10 * d + h)
                           .toLatin1();
        const auto heat = Open(WriteFile(dir, "days.csv", csv));
        QVERIFY(heat->window);
        auto* heatChart = heat->window->findChild<corvane::ui::PlanChartView*>();
        QVERIFY(heatChart->Data().HeatMap());
        const QRect plot = corvane::chart::HeatPlotAreas(heatChart->Data(), heatChart->Page()).front();
        // The middle of the 5th day's row, at 09:00 (the plot spans the day).
        const QPointF onPage(plot.left() + plot.width() * 9.0 / 24, plot.top() + plot.height() * 4.5 / 20);
        const QPoint at = heatChart->PageToWidget().map(onPage).toPoint();
        QTest::mouseClick(heatChart, Qt::LeftButton, Qt::NoModifier, at);
        auto* heatDay = heat->window->findChild<QComboBox*>(QStringLiteral("cboDay"));
        QCOMPARE(heatDay->currentText(), QStringLiteral("2027-03-05 Fri"));
        QCOMPARE(heat->window->IntervalTable()->model()->rowCount(), 4);
        QVERIFY(!heatChart->Data().HeatMap());
    }

    // The roster of the day shown: each group from its start to its end
    // (the shifts file's lengths), its lunch inside; and the agents starting
    // each shift type per day.
    void TheRosterOfTheDayShown() {
        const auto o = Open(kWeek);
        QVERIFY(o->window);
        PlanWindow& w = *o->window;
        QVERIFY(w.ChooseShifts(kShifts));
        QTRY_VERIFY_WITH_TIMEOUT(!w.Runner()->Busy(), 60000);
        QVERIFY(w.Outcome().shifts.has_value());
        auto* day = w.findChild<QComboBox*>(QStringLiteral("cboDay"));
        day->setCurrentIndex(6);  // 2027-03-06, a Saturday: weekend shifts only
        emit day->activated(6);
        const auto* roster = w.findChild<corvane::ui::RosterView*>(QStringLiteral("rosterView"));
        QVERIFY(roster);
        QVERIFY(!roster->Rows().empty());
        // Saturday: the weekend shift (6:30 with a 30-minute lunch 2:30 to
        // 4:00 in) and the part-time one (4:00, no lunch) only.
        std::map<std::string, long> saturday;
        for (const auto& r : roster->Rows()) {
            QCOMPARE(r.date, std::string("2027-03-06"));
            QVERIFY2(r.shift == "Weekend" || r.shift == "Part", r.shift.c_str());
            if (r.shift == "Weekend") {
                QCOMPARE(r.end - r.start, 6 * 60 + 30);
                QVERIFY(r.lunch && *r.lunch >= r.start + 150 && *r.lunch <= r.start + 240);
                QCOMPARE(r.lunchLength, 30);
            } else {
                QCOMPARE(r.end - r.start, 4 * 60);
                QVERIFY(!r.lunch);
            }
            saturday[r.shift] += r.agents;
        }
        // The counts: a column per type, Saturday's row its weekend agents.
        const auto* counts = w.findChild<QTableView*>(QStringLiteral("tblShiftCounts"))->model();
        QStringList heads;
        for (int c = 0; c < counts->columnCount(); ++c)
            heads << counts->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        QVERIFY(heads.contains(QStringLiteral("Weekend")) && heads.contains(QStringLiteral("Early")));
        bool found = false;
        for (int r = 0; r < counts->rowCount(); ++r) {
            if (counts->index(r, 0).data().toString() != QStringLiteral("2027-03-06")) continue;
            found = true;
            for (int c = 1; c < counts->columnCount(); ++c)
                QCOMPARE(counts->index(r, c).data().toString(),
                         QString::number(saturday[heads[c].toStdString()]));
        }
        QVERIFY(found);
    }

    // On the Roster tab, printing gives the roster of the day shown: its
    // groups as on the tab, then the agents per shift type and day.
    void PrintingTheRosterTabGivesTheRoster() {
        const auto o = Open(kWeek);
        QVERIFY(o->window);
        PlanWindow& w = *o->window;
        QVERIFY(w.ChooseShifts(kShifts));
        QTRY_VERIFY_WITH_TIMEOUT(!w.Runner()->Busy(), 60000);
        auto* day = w.findChild<QComboBox*>(QStringLiteral("cboDay"));
        day->setCurrentIndex(6);
        emit day->activated(6);
        for (QTabWidget* tabs : w.findChildren<QTabWidget*>())
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->tabText(i) == QStringLiteral("Roster")) tabs->setCurrentIndex(i);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("roster.pdf"));
        PdfDialog dialog(pdf);
        w.SetPrintDialog(&dialog);
        w.findChild<QAction*>(QStringLiteral("mnuPrint"))->trigger();
        QVERIFY(o->messages.isEmpty());
        QProcess text;
        text.start(QStringLiteral(PDFTOTEXT), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(600000));
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY(printed.contains(QStringLiteral("Roster of 2027-03-06")));
        QVERIFY(printed.contains(QStringLiteral("Agents starting each shift per day")));
        // No interval table: a roster, not the plan.
        QVERIFY(!printed.contains(QStringLiteral("Erlangs")));
        const auto* roster = w.findChild<corvane::ui::RosterView*>(QStringLiteral("rosterView"));
        QVERIFY(!roster->Rows().empty());
        for (const auto& r : roster->Rows()) {
            // "Weekend  08:00  10:30  14:30  3", in fixed columns.
            const QRegularExpression row(
                QStringLiteral("%1\\s+%2\\s+%3\\s+\\S+\\s+%4\\b")
                    .arg(QString::fromStdString(r.shift),
                         QString::fromStdString(corvane::input::TimeText(r.start)),
                         r.lunch ? QString::fromStdString(corvane::input::TimeText(*r.lunch))
                                 : QStringLiteral("-"))
                    .arg(r.agents));
            QVERIFY2(printed.contains(row), qPrintable(row.pattern()));
        }
    }

    void PrintingGivesThePlanThenItsChart() {
        const auto o = Open(kWeek);
        QVERIFY(o->window);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("plan.pdf"));
        PdfDialog dialog(pdf);
        o->window->SetPrintDialog(&dialog);
        QAction* print = o->window->findChild<QAction*>(QStringLiteral("mnuPrint"));
        QVERIFY(print);
        print->trigger();
        QVERIFY(o->messages.isEmpty());
        QProcess text;
        text.start(QStringLiteral(PDFTOTEXT), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(600000));
        const QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(QChar(0xC));
        QVERIFY(pages.size() >= 3);  // the text plan's pages, the chart's, the end
        QVERIFY(pages.first().contains(QStringLiteral("week-export.csv")));
        QVERIFY(pages[pages.size() - 3].contains(QStringLiteral("Required agent-hours")));
        QVERIFY(pages[pages.size() - 2].contains(QStringLiteral("Agents per interval")));
        // Every column is on the page, the last one too, and each page of
        // the table begins with its heading.
        QProcess layout;
        layout.start(QStringLiteral(PDFTOTEXT), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(layout.waitForFinished(600000));
        const QStringList laidOut = QString::fromUtf8(layout.readAllStandardOutput()).split(QChar(0xC));
        int tablePages = 0;
        for (const QString& page : laidOut.mid(0, laidOut.size() - 2)) {
            const QStringList lines = page.split(QLatin1Char('\n'));
            const QRegularExpression row(QStringLiteral("^\\s*2027-03-0\\d \\d\\d:\\d\\d\\s+\\d"));
            bool rows = false;
            for (const QString& line : lines)
                if (line.contains(row)) {
                    rows = true;
                    QVERIFY2(line.trimmed().endsWith(QStringLiteral("ok")), qPrintable(line));
                }
            if (!rows) continue;
            ++tablePages;
            const QString first = [&] {
                for (const QString& line : lines)
                    if (!line.trimmed().isEmpty() && !line.contains(QStringLiteral("Corvane plan")) &&
                        !line.startsWith(QStringLiteral("Day plan")) && !line.startsWith(QStringLiteral("Target")) &&
                        !line.startsWith(QStringLiteral("Intervals of")))
                        return line.trimmed();
                return QString();
            }();
            QVERIFY2(first.startsWith(QStringLiteral("Interval")) && first.endsWith(QStringLiteral("Status")),
                     qPrintable(first));
        }
        QVERIFY(tablePages >= 2);
        // Landscape: the first page is wider than it is tall.
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        if (info.waitForFinished(600000) && info.exitCode() == 0) {
            const QString out = QString::fromUtf8(info.readAllStandardOutput());
            const QRegularExpression size(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)"));
            const auto m = size.match(out);
            QVERIFY(m.hasMatch());
            QVERIFY2(m.captured(1).toDouble() > m.captured(2).toDouble(), qPrintable(out));
        }
    }

    void HoveringTheChartShowsTheIntervalsRow() {
        const auto o = Open(kWeek);
        QVERIFY(o->window);
        QVERIFY(QTest::qWaitForWindowExposed(o->window.get()));
        // Wide enough for a pixel to be less than a step of the week.
        o->window->resize(1150, 780);
        QApplication::processEvents();
        auto* chart = o->window->findChild<corvane::ui::PlanChartView*>();
        QVERIFY(chart);
        QVERIFY(chart->width() > 600);
        // The chart is drawn on a page of the view's shape; its plot starts
        // 80 units from the left and ends 40 from the right, and a week of
        // quarter-hours 08:00-18:00 is 280 steps across it.
        const QSize page = chart->Page();
        QVERIFY(page.width() >= 400 && page.height() >= 240);
        const double plotWidth = page.width() - 120.0;
        const double step = plotWidth / 280;
        const struct {
            double x;  // on the page
            const char* row;
        } cases[] = {{80 + step / 2, "2027-03-01 08:00\n"},
                     {80 + plotWidth - step / 2, "2027-03-07 17:45\n"}};
        for (const auto& c : cases) {
            QToolTip::hideText();
            const QPoint at = chart->PageToWidget().map(QPointF(c.x, page.height() / 2.0)).toPoint();
            QMouseEvent move(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(chart, &move);
            QVERIFY2(QToolTip::text().startsWith(QString::fromLatin1(c.row)),
                     qPrintable(QToolTip::text()));
            // Captions, not the CSV's names, a few figures to a line.
            const QString tip = QToolTip::text();
            QVERIFY2(tip.contains(QRegularExpression(QStringLiteral("Service level \\d+\\.\\d\\d %"))) &&
                         tip.contains(QStringLiteral("   Agents ")) &&
                         !tip.contains(QStringLiteral("service_level")),
                     qPrintable(tip));
            QVERIFY2(tip.count(QLatin1Char('\n')) <= 4, qPrintable(tip));
        }
    }

    void BadFilesOpenNoWindowAndSayWhere() {
        QTemporaryDir dir;
        // One interval more than the window holds; corvane-plan streams it.
        QByteArray tooLong("calls,talk\n");
        for (int i = 0; i <= (1 << 17); ++i) tooLong += "10,180\n";
        const struct {
            QByteArray content;
            const char* message;
        } cases[] = {
            {"interval,calls,talk\n08:00,10,180\n08:30,abc,180\n",
             "bad.csv:3: calls: 'abc' is not a number"},
            {"interval,calls\n08:00,10\n", "no 'talk' column"},
            {tooLong, "more than 131072 intervals, more than the window plans; plan it with "
                      "corvane-plan"},
        };
        for (const auto& c : cases) {
            const QString path = WriteFile(dir, "bad.csv", c.content);
            const auto o = Open(path);
            QVERIFY(!o->window);
            QCOMPARE(o->messages.size(), 1);
            QVERIFY2(o->messages[0].contains(QString::fromLatin1(c.message)), qPrintable(o->messages[0]));
            QVERIFY(o->messages[0].startsWith(path));
        }
        const auto missing = Open(dir.filePath(QStringLiteral("none.csv")));
        QVERIFY(!missing->window);
        QVERIFY(missing->messages.value(0).contains(QStringLiteral("none.csv")));
        const auto folder = Open(dir.path());
        QVERIFY(!folder->window);
        QCOMPARE(folder->messages.value(0), dir.path() + QStringLiteral(": is a folder; open a forecast file in it"));
    }

    // What a file cannot tell, the window asks; cancelled, nothing opens.
    // What the reader decided shows in the status line.
    void TheWindowAsksWhatTheFileCannotTell() {
        QTemporaryDir dir;
        const QString dates = WriteFile(dir, "dates.csv",
                                        "Date,Time,Calls,AHT\n01/03/2027,08:00,10,300\n"
                                        "02/03/2027,08:00,10,300\n");
        QStringList asked;
        corvane::ui::ReadQuestions q;
        std::optional<corvane::input::DateOrder> order = corvane::input::DateOrder::MonthFirst;
        q.dateOrder = [&](const QString& why) { asked << why; return order; };
        const auto monthFirst = Open(dates, q);
        QVERIFY(monthFirst->window);
        QCOMPARE(asked.size(), 1);
        QVERIFY2(asked[0].contains(QStringLiteral("could be 1 March or 3 January")), qPrintable(asked[0]));
        QCOMPARE(monthFirst->window->Outcome().plan.rows[1].input.label, std::string("2027-02-03 08:00"));
        order = corvane::input::DateOrder::DayFirst;
        QCOMPARE(Open(dates, q)->window->Outcome().plan.rows[1].input.label, std::string("2027-03-02 08:00"));
        order.reset();
        const auto cancelled = Open(dates, q);
        QVERIFY(!cancelled->window);
        QVERIFY(cancelled->messages.isEmpty());

        // A file without a handle time: 100 calls of the 300 s entered in a
        // half-hour are 16.67 erlangs, 21 agents at 80/20.
        const QString calls = WriteFile(dir, "calls.csv", "Report\n\nTime,Calls\n08:00,100\n08:30,100\n");
        q.handleTime = [&](const QString& why) -> std::optional<long> { asked << why; return 300; };
        const auto timed = Open(calls, q);
        QVERIFY(timed->window);
        QVERIFY(asked.last().contains(QStringLiteral("no 'talk' column")));
        QCOMPARE(timed->window->Outcome().plan.rows[0].agents, 21L);
        const auto* status = timed->window->findChild<QStatusBar*>()->findChild<QLabel*>();
        QVERIFY(status);
        QVERIFY2(status->text().contains(QStringLiteral("note: ") + calls +
                                         QStringLiteral(":1: line 1 above the header (line 3) is a title, not planned")),
                 qPrintable(status->text()));
    }

    void TheCommandLineAndADropOpenPlanWindows() {
        const auto planWindows = [] {
            QList<PlanWindow*> out;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* p = qobject_cast<PlanWindow*>(w); p && p->isVisible()) out << p;
            return out;
        };
        corvane::ui::OpenArguments({QStringLiteral("corvane"), kWeek}, nullptr, QString());
        QCOMPARE(planWindows().size(), 1);
        planWindows().first()->close();
        QTRY_COMPARE(planWindows().size(), 0);

        corvane::ui::Form1 form;
        form.show();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(kWeek)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &drop);
        QCOMPARE(planWindows().size(), 1);
        QCOMPARE(planWindows().first()->windowTitle(), QStringLiteral("week-export.csv \u2014 Corvane plan"));
        // A drop on the plan window opens the next.
        QDragEnterEvent enterPlan(QPoint(400, 400), Qt::CopyAction, &data, Qt::LeftButton,
                                  Qt::NoModifier);
        QApplication::sendEvent(planWindows().first(), &enterPlan);
        QVERIFY(enterPlan.isAccepted());
        QDropEvent again(QPointF(400, 400), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(planWindows().first(), &again);
        QCOMPARE(planWindows().size(), 2);
        for (PlanWindow* p : planWindows()) p->close();
        QTRY_COMPARE(planWindows().size(), 0);
    }
};

QTEST_MAIN(PlanWindowTest)
#include "plan_window_test.moc"
