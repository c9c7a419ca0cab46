#pragma once

#include <QMainWindow>

#include <map>
#include <memory>

#include "model/plan_outcome.h"
#include "model/plan_settings.h"
#include "input/forecast.h"
#include "report/plan_output.h"
#include "ui/message_box.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;

namespace corvane::output {
class PrintDialog;
}

namespace corvane::ui {

class FocusValidation;
class HelpLauncher;
class PlanChartView;
class PlanRunner;
class PlanTableModel;
class RosterView;
class TextTableModel;

// The name a file is saved under: `path` as typed when its extension names
// a format (csv, json, txt, png, svg), else with the filter's added.
QString WithExtension(const QString& path, const QString& filter);

// Opens forecast files in plan windows; the main window and the plan
// windows hand it the files they are asked to open.
using OpenFunction = std::function<void(const QString& path)>;

// A forecast's plan in a window of its own: the options, the intervals,
// the chart, the per-day totals and the shift plan; saved, copied and
// printed as corvane-plan writes them.
class PlanWindow : public QMainWindow {
    Q_OBJECT

public:
    // The least the window needs, in logical pixels: a small laptop's screen.
    static constexpr int kMinimumWidth = 800;
    static constexpr int kMinimumHeight = 600;

    // `first`: the forecast planned with `settings`, shown at once.
    PlanWindow(QString path, std::shared_ptr<const input::Forecast> forecast,
               model::PlanSettings settings, std::shared_ptr<const model::PlanOutcome> first,
               OpenFunction open, QString helpFile);
    ~PlanWindow() override;

    // Stand-ins for tests.
    void SetMessageFunction(MessageFunction message) { message_ = std::move(message); }
    void SetPrintDialog(output::PrintDialog* dialog) { printDialog_ = dialog; }
    // Asks for a file to save to: caption, suggested path, filters, the
    // filter chosen; an empty path when cancelled.
    using SaveNameFunction =
        std::function<QString(const QString&, const QString&, const QString&, QString*)>;
    void SetSaveNameFunction(SaveNameFunction ask) { saveName_ = std::move(ask); }
    // What reading the forecast decided, shown in the status line.
    void SetNotices(const QStringList& notices);
    // The window shows a forecast made from the history it was opened with:
    // `csv` is that forecast, which File > Save Forecast As writes.
    void SetForecastFromHistory(QByteArray csv);

    QLineEdit* Entry(model::PlanField field) const { return entries_.at(field); }
    QTableView* IntervalTable() const { return intervals_; }
    PlanRunner* Runner() const { return runner_; }
    const model::PlanOutcome& Outcome() const { return *outcome_; }
    const model::PlanSettings& Settings() const { return good_; }

    // What the menu commands do once a file is chosen; false after a
    // message saying why nothing was written.
    bool SavePlan(const QString& path, report::PlanFormat format);
    bool ExportChart(const QString& path);
    bool SaveShiftPlan(const QString& path);
    bool SaveForecast(const QString& path);
    bool ChooseShifts(const QString& path);
    void ClearShifts();
    // The rows selected in the focused table (the intervals when none has
    // the focus), tab-separated with the header line; also put on the
    // clipboard.
    QString CopySelection();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateMenus();
    QWidget* CreateOptions();
    QWidget* CreateResults();
    // The entry's text checked into the settings; a refusal is said and
    // keeps the last good plan.
    bool CheckEntry(model::PlanField field);
    void Replan();
    void Show(std::shared_ptr<const model::PlanOutcome> outcome);
    void Refused(const QString& message, bool cancelled);
    void ShowProgress(double best, double bound, bool hasBest);
    void ShowEntries();
    void Print();
    QString SuggestedName(const QString& ending) const;
    void SaveFileAs(const QString& caption, const QString& filters, const QString& suggested,
                    const std::function<bool(const QString&, const QString& filter)>& save);
    bool Write(const QString& path, const QByteArray& bytes);

    QString path_;
    QByteArray historyForecast_;  // when path_ is a history forecast from
    std::shared_ptr<const input::Forecast> forecast_;
    model::PlanSettings wanted_;  // as the entries say
    model::PlanSettings good_;    // of the plan shown
    QString shiftsPath_, goodShiftsPath_;
    std::shared_ptr<const model::PlanOutcome> outcome_;
    OpenFunction open_;
    QString helpFile_;
    MessageFunction message_;
    output::PrintDialog* printDialog_ = nullptr;

    std::map<model::PlanField, QLineEdit*> entries_;
    QLineEdit* shiftsEntry_ = nullptr;
    FocusValidation* validation_ = nullptr;
    PlanRunner* runner_ = nullptr;
    PlanChartView* chart_ = nullptr;
    QTableView* intervals_ = nullptr;
    QTableView* days_ = nullptr;
    QTableView* shiftTable_ = nullptr;
    PlanTableModel* intervalModel_ = nullptr;
    TextTableModel* dayModel_ = nullptr;
    TextTableModel* shiftModel_ = nullptr;
    QLabel* totals_ = nullptr;
    QLabel* shiftTotals_ = nullptr;
    QLabel* status_ = nullptr;
    QStringList notices_;
    QCheckBox* allowShort_ = nullptr;
    QComboBox* day_ = nullptr;  // the whole plan, or one day
    RosterView* roster_ = nullptr;
    TextTableModel* countsModel_ = nullptr;
    QTabWidget* lowerTabs_ = nullptr;
    QComboBox* goal_ = nullptr;
    QWidget* rosterPage_ = nullptr;
    QString rosterTitle_;  // the roster's heading as shown
    std::string rosterDate_;
    void PrintRoster();
    void ShowRoster();
    void FillDays();
    void ShowDay();
    void ShowShifts();
    SaveNameFunction saveName_;
    void ShowStatus();
    void RestoreEntry(model::PlanField field);
    // The first size fits the screen; a remembered one is kept within it.
    void PlaceOnScreen(const QByteArray& remembered);
    QPushButton* cancel_ = nullptr;
    std::unique_ptr<HelpLauncher> help_;
};

}  // namespace corvane::ui
