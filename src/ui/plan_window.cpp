#include "ui/plan_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QSignalBlocker>
#include <QFrame>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

#include "model/forecast_file.h"
#include "ui/focus_validation.h"
#include "ui/forecast_drop.h"
#include "ui/help_launcher.h"
#include "ui/plan_chart_view.h"
#include "ui/plan_runner.h"
#include "ui/plan_table_model.h"
#include "ui/roster_view.h"
#include "model/roster.h"

namespace corvane::ui {

namespace {

using model::PlanField;

// Figures to a line in the chart's hover tip.
constexpr int kTipFigures = 3;

constexpr PlanField kFields[] = {PlanField::ServicePercent, PlanField::AnswerSeconds,
                                 PlanField::AsaLimit,       PlanField::MaxOccupancy,
                                 PlanField::Shrinkage,      PlanField::IntervalMinutes,
                                 PlanField::Patience,       PlanField::MaxAbandon};

const char* const kGeometryKey = "planWindow/geometry";

QTableView* NewTable(QAbstractItemModel* model, QWidget* parent) {
    auto* table = new QTableView(parent);
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setAlternatingRowColors(true);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return table;
}

// A field's caption with an access key: its first letter not yet `taken`
// by the menus, buttons, tabs or the captions before it.
QString AccessKeyed(const QString& caption, QString& taken) {
    for (int i = 0; i < caption.size(); ++i) {
        const QChar c = caption[i].toLower();
        if (!c.isLetter() || taken.contains(c)) continue;
        taken += c;
        return caption.left(i) + QLatin1Char('&') + caption.mid(i);
    }
    return caption;
}

QLabel* FixedLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// A small table's cells, its numbers in the region's marks.
QStringList RegionalRow(const std::vector<std::string>& cells, const std::vector<bool>& numeric,
                        const QLocale& locale) {
    QStringList row;
    for (std::size_t c = 0; c < cells.size(); ++c)
        row << (numeric[c] ? RegionalNumber(cells[c], locale) : QString::fromStdString(cells[c]));
    return row;
}

// A tab of the lower pane: a fixed-font text beside a small table, split so
// the text scrolls rather than squeeze the table or widen the window.
std::tuple<QLabel*, TextTableModel*, QTableView*> AddTextTab(QTabWidget* tabs,
                                                            const QString& caption) {
    auto* page = new QSplitter(Qt::Horizontal, tabs);
    auto* scroll = new QScrollArea(page);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    QLabel* text = FixedLabel(scroll);
    scroll->setWidget(text);
    auto* model = new TextTableModel(page);
    QTableView* table = NewTable(model, page);
    page->addWidget(scroll);
    page->addWidget(table);
    page->setStretchFactor(0, 0);
    page->setStretchFactor(1, 1);
    page->setChildrenCollapsible(false);
    // The table is given at least its readable share at any width.
    page->setSizes({360, 640});
    tabs->addTab(page, caption);
    return {text, model, table};
}

// Shows the text plan's small table in the region's marks.
void ShowCells(TextTableModel* model, const report::TextCells& cells, const QLocale& region) {
    std::vector<QStringList> rows;
    for (const auto& row : cells.rows) rows.push_back(RegionalRow(row, cells.right, region));
    QStringList heads;
    for (const auto& h : cells.heads) heads << QString::fromStdString(h);
    model->SetRows(heads, std::move(rows), cells.right);
}

}  // namespace

PlanWindow::PlanWindow(QString path, std::shared_ptr<const input::Forecast> forecast,
                       model::PlanSettings settings,
                       std::shared_ptr<const model::PlanOutcome> first, OpenFunction open,
                       QString helpFile)
    : path_(std::move(path)),
      forecast_(std::move(forecast)),
      wanted_(settings),
      good_(std::move(settings)),
      open_(std::move(open)),
      helpFile_(std::move(helpFile)),
      message_(PlatformMessageBox(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    setWindowTitle(QFileInfo(path_).fileName() + QStringLiteral(" \u2014 Corvane plan"));
    runner_ = new PlanRunner(this);
    validation_ = new FocusValidation(this);
    help_ = std::make_unique<HelpLauncher>(this, [this](const QString& t, const QString& c) {
        message_(t, c);
    });

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    // The options scroll on a low screen rather than set the window's height.
    auto* options = new QScrollArea(splitter);
    options->setWidgetResizable(true);
    options->setFrameShape(QFrame::NoFrame);
    options->setWidget(CreateOptions());
    options->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    options->setMinimumWidth(options->widget()->sizeHint().width() +
                             options->verticalScrollBar()->sizeHint().width());
    splitter->addWidget(options);
    splitter->addWidget(CreateResults());
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);
    status_ = new QLabel(this);
    // A long status never widens the window: it is cut, and its tooltip
    // holds it whole.
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cmdCancelShifts"));
    cancel_->hide();
    statusBar()->addWidget(status_, 1);
    statusBar()->addPermanentWidget(cancel_);
    CreateMenus();

    connect(runner_, &PlanRunner::Planned, this, &PlanWindow::Show);
    connect(runner_, &PlanRunner::Refused, this, &PlanWindow::Refused);
    connect(runner_, &PlanRunner::Progress, this, &PlanWindow::ShowProgress);
    connect(cancel_, &QPushButton::clicked, runner_, &PlanRunner::Cancel);

    Show(std::move(first));
    // The window opens ready for a target to be typed.
    entries_[PlanField::ServicePercent]->setFocus(Qt::OtherFocusReason);
    PlaceOnScreen(QSettings().value(QLatin1String(kGeometryKey)).toByteArray());
}

void PlanWindow::PlaceOnScreen(const QByteArray& remembered) {
    const QScreen* on = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect room = on ? on->availableGeometry() : QRect(0, 0, 1150, 820);
    // Room for the title bar and the frame, which the window manager adds.
    constexpr int kFrameWidth = 16;
    constexpr int kFrameHeight = 48;
    const QSize most(std::max(1, room.width() - kFrameWidth),
                     std::max(1, room.height() - kFrameHeight));
    if (remembered.isEmpty() || !restoreGeometry(remembered)) {
        resize(std::min(1150, most.width()), std::min(780, most.height()));
        return;
    }
    // Remembered from another screen: kept within this one.
    const QSize size(std::min(width(), most.width()), std::min(height(), most.height()));
    resize(size);
    QPoint at = pos();
    at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - size.width() - kFrameWidth)));
    at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - size.height() - kFrameHeight)));
    move(at);
}

PlanWindow::~PlanWindow() = default;

void PlanWindow::CreateMenus() {
    struct Item {
        const char* name;
        const char* caption;
        QKeySequence keys;
        std::function<void()> run;
    };
    const auto saveAs = [this] {
        SaveFileAs(QStringLiteral("Save Plan As"),
                   QStringLiteral("CSV (*.csv);;JSON (*.json);;Text (*.txt)"),
                   SuggestedName(QStringLiteral("-plan.csv")),
                   [this](const QString& path, const QString&) {
                       // The name's extension decides (SaveFileAs gave it
                       // the filter's where it had none).
                       const QString suffix = QFileInfo(path).suffix().toLower();
                       const auto format = suffix == QLatin1String("json") ? report::PlanFormat::Json
                                           : suffix == QLatin1String("txt") ? report::PlanFormat::Text
                                                                             : report::PlanFormat::Csv;
                       return SavePlan(path, format);
                   });
    };
    const auto exportChart = [this] {
        SaveFileAs(QStringLiteral("Export Chart"), QStringLiteral("PNG (*.png);;SVG (*.svg)"),
                   SuggestedName(QStringLiteral(".png")), [this](const QString& path, const QString&) { return ExportChart(path); });
    };
    const auto saveShifts = [this] {
        if (!outcome_->shifts) {
            message_(QStringLiteral("There is no shift plan: choose a shifts file first."),
                     QStringLiteral("Save Shift Plan"));
            return;
        }
        SaveFileAs(QStringLiteral("Save Shift Plan"), QStringLiteral("CSV (*.csv)"),
                   SuggestedName(QStringLiteral("-shifts.csv")), [this](const QString& path, const QString&) { return SaveShiftPlan(path); });
    };
    const auto openForecast = [this] {
        const QString path = QFileDialog::getOpenFileName(
            this, QStringLiteral("Open Forecast"), QFileInfo(path_).absolutePath(),
            QStringLiteral("Forecasts (*.csv *.txt);;All files (*)"));
        if (!path.isEmpty()) open_(path);
    };
    const auto saveForecast = [this] {
        SaveFileAs(QStringLiteral("Save Forecast"), QStringLiteral("CSV (*.csv)"),
                   SuggestedName(QStringLiteral("-forecast.csv")),
                   [this](const QString& path, const QString&) { return SaveForecast(path); });
    };
    const std::vector<std::pair<const char*, std::vector<Item>>> menus = {
        {"&File",
         {{"mnuOpenForecast", "&Open Forecast...", QKeySequence::Open, openForecast},
          {"mnuSavePlan", "&Save Plan As...", QKeySequence::Save, saveAs},
          {"mnuSaveForecast", "Save &Forecast As...", {}, saveForecast},
          {"mnuExportChart", "&Export Chart...", {}, exportChart},
          {"mnuSaveShiftPlan", "Save S&hift Plan...", {}, saveShifts},
          {"mnuPrint", "&Print...", QKeySequence::Print, [this] { Print(); }},
          {"mnuClose", "&Close", QKeySequence::Close, [this] { close(); }}}},
        {"&Edit",
         {{"mnuCopy", "&Copy", QKeySequence::Copy, [this] { CopySelection(); }},
          {"mnuSelectAll", "Select &All", QKeySequence::SelectAll,
           [this] {
               auto* table = qobject_cast<QTableView*>(focusWidget());
               (table ? table : intervals_)->selectAll();
           }}}},
        {"&Help",
         {{"mnuPlanHelp", "&Plan Window Help", QKeySequence::HelpContents,
           [this] { help_->Open(helpFile_, QStringLiteral("/plan.htm")); }}}},
    };
    for (const auto& [caption, items] : menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(caption));
        for (const Item& item : items) {
            QAction* action = menu->addAction(QString::fromLatin1(item.caption));
            action->setObjectName(QString::fromLatin1(item.name));
            action->setShortcut(item.keys);
            // The tables' own Ctrl+C and Ctrl+A would copy a cell only.
            action->setShortcutContext(Qt::WindowShortcut);
            connect(action, &QAction::triggered, this, item.run);
        }
    }
    // Only a window that made its forecast from a history has one to save.
    findChild<QAction*>(QStringLiteral("mnuSaveForecast"))->setEnabled(false);
}

QWidget* PlanWindow::CreateOptions() {
    auto* panel = new QWidget(this);
    auto* form = new QFormLayout(panel);
    form->addRow(new QLabel(QStringLiteral("<b>Targets</b>"), panel));
    // Alt+F, E and H open the menus; Alt+O, R choose and clear the shifts
    // file; Alt+T and S show the lower tabs.
    QString taken = QStringLiteral("fehorts");
    const auto addEntry = [&](PlanField field) {
        auto* entry = new QLineEdit(panel);
        entry->setObjectName(QStringLiteral("txtPlan%1").arg(static_cast<int>(field)));
        entry->setMaximumWidth(90);
        entries_[field] = entry;
        auto* label =
            new QLabel(AccessKeyed(QString::fromLatin1(model::FieldLabel(field)), taken), panel);
        label->setBuddy(entry);
        form->addRow(label, entry);
        // Esc gives the field back its last accepted value.
        auto* restore = new QAction(entry);
        restore->setShortcut(QKeySequence(Qt::Key_Escape));
        restore->setShortcutContext(Qt::WidgetShortcut);
        entry->addAction(restore);
        connect(restore, &QAction::triggered, this, [this, field] { RestoreEntry(field); });
        validation_->SetLeaveCheck(entry, [this, field] { return CheckEntry(field); });
        connect(entry, &QLineEdit::returnPressed, this, [this, field] { CheckEntry(field); });
    };
    for (const PlanField field : kFields) {
        addEntry(field);
        if (field == PlanField::IntervalMinutes)
            form->addRow(new QLabel(QStringLiteral("<b>Erlang A</b> (optional)"), panel));
    }
    // Times in the labels settle the interval length.
    const bool timed = model::LabelsCarryTimes(*forecast_);
    entries_[PlanField::IntervalMinutes]->setReadOnly(timed);
    // Read-only, it looks it: greyed, not a field that waits for typing.
    if (timed) {
        QPalette greyed = entries_[PlanField::IntervalMinutes]->palette();
        greyed.setColor(QPalette::Base, greyed.color(QPalette::Window));
        entries_[PlanField::IntervalMinutes]->setPalette(greyed);
        entries_[PlanField::IntervalMinutes]->setFocusPolicy(Qt::ClickFocus);
    }
    entries_[PlanField::IntervalMinutes]->setToolTip(
        timed ? QStringLiteral("Read from the forecast's times") : QString());

    form->addRow(new QLabel(QStringLiteral("<b>Shifts</b> (optional)"), panel));
    shiftsEntry_ = new QLineEdit(panel);
    shiftsEntry_->setReadOnly(true);
    shiftsEntry_->setPlaceholderText(QStringLiteral("no shifts file"));
    form->addRow(QStringLiteral("Shifts file"), shiftsEntry_);
    auto* buttons = new QHBoxLayout;
    auto* choose = new QPushButton(QStringLiteral("Ch&oose..."), panel);
    choose->setObjectName(QStringLiteral("cmdChooseShifts"));
    auto* clear = new QPushButton(QStringLiteral("Clea&r"), panel);
    buttons->addWidget(choose);
    buttons->addWidget(clear);
    form->addRow(QString(), buttons);
    // As corvane-plan's --shift-time-limit and --allow-short.
    addEntry(PlanField::ShiftTimeLimit);
    allowShort_ = new QCheckBox(QStringLiteral("Leave &uncovered intervals short"), panel);
    allowShort_->setObjectName(QStringLiteral("chkAllowShort"));
    allowShort_->setToolTip(QStringLiteral(
        "Intervals no shift can cover are left short, and the plan says by how much, instead "
        "of refusing the shifts"));
    form->addRow(allowShort_);
    connect(allowShort_, &QCheckBox::toggled, this, [this](bool on) {
        if (wanted_.allowShort == on) return;
        wanted_.allowShort = on;
        if (wanted_.shifts) Replan();
    });
    // As --shift-goal and --interval-floor: the service level in every
    // interval, or over each day or week with a floor for every interval.
    goal_ = new QComboBox(panel);
    goal_->setObjectName(QStringLiteral("cboShiftGoal"));
    goal_->addItem(QStringLiteral("Every interval"), static_cast<int>(shifts::ShiftGoal::Interval));
    goal_->addItem(QStringLiteral("Each day"), static_cast<int>(shifts::ShiftGoal::Day));
    goal_->addItem(QStringLiteral("Each week"), static_cast<int>(shifts::ShiftGoal::Week));
    goal_->setToolTip(QStringLiteral(
        "Where the shifts must reach the service level: in every interval, or over the calls of "
        "each day or week (every interval keeping the floor)"));
    auto* goalLabel = new QLabel(AccessKeyed(QStringLiteral("Service level goal"), taken), panel);
    goalLabel->setBuddy(goal_);
    form->addRow(goalLabel, goal_);
    connect(goal_, qOverload<int>(&QComboBox::activated), this, [this](int at) {
        const auto goal = static_cast<shifts::ShiftGoal>(goal_->itemData(at).toInt());
        if (wanted_.shiftGoal == goal) return;
        wanted_.shiftGoal = goal;
        allowShort_->setEnabled(goal == shifts::ShiftGoal::Interval);
        if (wanted_.shifts) Replan();
    });
    addEntry(PlanField::IntervalFloor);
    connect(choose, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(
            this, QStringLiteral("Choose Shifts File"), QFileInfo(path_).absolutePath(),
            QStringLiteral("Shift files (*.csv *.txt);;All files (*)"));
        if (!path.isEmpty()) ChooseShifts(path);
    });
    connect(clear, &QPushButton::clicked, this, &PlanWindow::ClearShifts);
    return panel;
}

QWidget* PlanWindow::CreateResults() {
    auto* split = new QSplitter(Qt::Vertical, this);
    // A day at a time, or the whole plan: the choice above the chart.
    auto* top = new QWidget(split);
    auto* topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    auto* choice = new QHBoxLayout;
    day_ = new QComboBox(top);
    day_->setObjectName(QStringLiteral("cboDay"));
    auto* dayLabel = new QLabel(QStringLiteral("Sho&w:"), top);
    dayLabel->setBuddy(day_);
    choice->addWidget(dayLabel);
    choice->addWidget(day_);
    choice->addStretch(1);
    topLayout->addLayout(choice);
    chart_ = new PlanChartView(top);
    topLayout->addWidget(chart_, 1);
    connect(day_, QOverload<int>::of(&QComboBox::activated), this, [this](int) { ShowDay(); });
    // A day of the heat map clicked: that day alone.
    connect(chart_, &PlanChartView::Clicked, this, [this](const chart::ChartSpot& spot) {
        if (!spot.day) return;
        const int at = day_->findData(QVariant::fromValue(static_cast<qint64>(*spot.day)));
        if (at < 0) return;
        day_->setCurrentIndex(at);
        ShowDay();
    });
    intervalModel_ = new PlanTableModel(this);
    intervals_ = NewTable(intervalModel_, split);
    intervals_->setObjectName(QStringLiteral("tblIntervals"));
    // A year has 17,520 rows: their widths are measured once, on the heads.
    intervals_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);

    auto* lower = new QTabWidget(split);
    lowerTabs_ = lower;
    std::tie(totals_, dayModel_, days_) = AddTextTab(lower, QStringLiteral("&Totals"));
    std::tie(shiftTotals_, shiftModel_, shiftTable_) =
        AddTextTab(lower, QStringLiteral("&Shift plan"));
    shiftTotals_->setObjectName(QStringLiteral("lblShiftTotals"));
    shiftTable_->setObjectName(QStringLiteral("tblShifts"));
    // The day's roster as a timeline, beside the agents starting each shift
    // type per day.
    auto* rosterPage = new QSplitter(Qt::Horizontal, lower);
    rosterPage_ = rosterPage;
    auto* rosterScroll = new QScrollArea(rosterPage);
    rosterScroll->setWidgetResizable(true);
    rosterScroll->setFrameShape(QFrame::NoFrame);
    roster_ = new RosterView(rosterScroll);
    roster_->setObjectName(QStringLiteral("rosterView"));
    rosterScroll->setWidget(roster_);
    countsModel_ = new TextTableModel(rosterPage);
    QTableView* counts = NewTable(countsModel_, rosterPage);
    counts->setObjectName(QStringLiteral("tblShiftCounts"));
    rosterPage->addWidget(rosterScroll);
    rosterPage->addWidget(counts);
    rosterPage->setStretchFactor(0, 1);
    rosterPage->setSizes({640, 360});
    lower->addTab(rosterPage, QStringLiteral("Roster"));
    // The chart keeps its page's shape: it is given the height to use the
    // width.
    split->setSizes({330, 260, 170});

    connect(chart_, &PlanChartView::Hovered, this,
            [this](const chart::ChartSpot& spot, QPoint global) {
                // A line chart's point is a row of the table as it is shown;
                // a heat map's cell is found among the plan's rows (the heat
                // map is drawn of the whole plan only).
                const auto& rows = outcome_->plan.rows;
                std::optional<std::size_t> row = spot.interval;
                if (spot.day)
                    for (std::size_t i = 0; i < rows.size() && !row; ++i)
                        if (rows[i].input.day == spot.day && rows[i].input.minute &&
                            *rows[i].input.minute / outcome_->plan.options.intervalMinutes ==
                                spot.minute / outcome_->plan.options.intervalMinutes)
                            row = i;
                if (!row || *row >= static_cast<std::size_t>(intervalModel_->rowCount()))
                    return QToolTip::hideText();
                const int r = static_cast<int>(*row);
                // The interval, then its figures three to a line under
                // their captions: a small tip, beside the pointer rather
                // than over the point.
                QString tip = intervalModel_->index(r, 0).data().toString();
                for (int c = 1; c < intervalModel_->columnCount(); ++c) {
                    const report::PlanColumn column = intervalModel_->Column(c);
                    const QString unit = QString::fromLatin1(report::ColumnUnit(column));
                    const QString value = intervalModel_->index(r, c).data().toString();
                    tip += ((c - 1) % kTipFigures == 0 ? QStringLiteral("\n")
                                                        : QStringLiteral("   ")) +
                           QString::fromLatin1(report::ColumnCaption(column)) + QLatin1Char(' ') +
                           value + (unit.isEmpty() || value.isEmpty() ? QString() : QLatin1Char(' ') + unit);
                }
                QToolTip::showText(global + QPoint(16, 16), tip, chart_);
                intervals_->scrollTo(intervalModel_->index(r, 0));
            });
    return split;
}

void PlanWindow::ShowEntries() {
    for (const auto& [field, entry] : entries_)
        entry->setText(RegionalNumber(model::FieldText(wanted_, field), locale()));
    // Times in the labels settle the interval length: the plan's, shown.
    if (entries_[PlanField::IntervalMinutes]->isReadOnly())
        entries_[PlanField::IntervalMinutes]->setText(
            QString::number(outcome_->plan.options.intervalMinutes));
    shiftsEntry_->setText(QFileInfo(shiftsPath_).fileName());
    {
        const QSignalBlocker quiet(allowShort_);
        allowShort_->setChecked(wanted_.allowShort);
        allowShort_->setEnabled(wanted_.shiftGoal == shifts::ShiftGoal::Interval);
        const QSignalBlocker still(goal_);
        goal_->setCurrentIndex(goal_->findData(static_cast<int>(wanted_.shiftGoal)));
    }
    shiftsEntry_->setToolTip(QDir::toNativeSeparators(shiftsPath_));
}

bool PlanWindow::CheckEntry(PlanField field) {
    model::PlanSettings trial = wanted_;
    if (field == PlanField::IntervalMinutes && entries_[field]->isReadOnly()) return true;
    // The region's decimal mark is read as the plan's ".".
    QString typed = entries_[field]->text().trimmed();
    const QString mark = locale().decimalPoint();
    if (mark != QStringLiteral(".")) typed.replace(mark, QStringLiteral("."));
    if (const auto set = model::SetField(trial, field, typed.toStdString()); !set) {
        message_(QString::fromStdString(set.Error()), QStringLiteral("Corvane plan"));
        // The field never shows a value the plan on screen did not use.
        RestoreEntry(field);
        return false;
    }
    if (model::FieldText(trial, field) == model::FieldText(wanted_, field) &&
        trial.options.intervalGiven == wanted_.options.intervalGiven)
        return true;
    wanted_ = std::move(trial);
    Replan();
    return true;
}

void PlanWindow::RestoreEntry(PlanField field) {
    QLineEdit* entry = entries_[field];
    entry->setText(field == PlanField::IntervalMinutes && entry->isReadOnly()
                       ? QString::number(outcome_->plan.options.intervalMinutes)
                       : RegionalNumber(model::FieldText(wanted_, field), locale()));
    entry->selectAll();
}

void PlanWindow::Replan() {
    status_->setText(wanted_.shifts ? QStringLiteral("Planning shifts...")
                                    : QStringLiteral("Planning..."));
    cancel_->setVisible(wanted_.shifts != nullptr);
    runner_->Start(forecast_, wanted_);
}

void PlanWindow::Show(std::shared_ptr<const model::PlanOutcome> outcome) {
    outcome_ = std::move(outcome);
    good_ = wanted_;
    goodShiftsPath_ = shiftsPath_;
    ShowEntries();
    cancel_->hide();
    const QLocale region = locale();
    const int columnsBefore = intervalModel_->columnCount();
    intervalModel_->SetOutcome(outcome_, region);
    // Widths are measured (on a thousand rows per column) only when the
    // columns change: a re-plan keeps them, and the window answers sooner.
    if (intervalModel_->columnCount() != columnsBefore) intervals_->resizeColumnsToContents();
    const plan::PlanTotals& totals = outcome_->plan.totals;
    totals_->setText(RegionalFigures(report::TotalsText(totals, nullptr), region).trimmed());
    ShowCells(dayModel_, report::DayCells(totals, outcome_->shifts ? &*outcome_->shifts : nullptr),
              region);
    days_->setVisible(!totals.Days().empty());

    FillDays();
    ShowDay();
    ShowStatus();
}

void PlanWindow::ShowStatus() {
    const auto outside = outcome_->plan.totals.OutsideRange();
    QString note;
    if (!notices_.isEmpty())
        note = QStringLiteral("; note: ") + notices_.front() +
               (notices_.size() > 1 ? QStringLiteral(" (and %1 more)").arg(notices_.size() - 1)
                                    : QString());
    const auto planned = outcome_->plan.rows.size();
    status_->setText(QStringLiteral("%1 %2 planned%3%4")
                         .arg(planned)
                         .arg(planned == 1 ? QStringLiteral("interval") : QStringLiteral("intervals"))
                         .arg(outside > 0 ? QStringLiteral(", %1 outside the usable range").arg(outside)
                                          : QString())
                         .arg(note));
}

void PlanWindow::FillDays() {
    // The day shown stays shown while the plan has it.
    const QVariant shown = day_->currentData();
    day_->clear();
    day_->addItem(QStringLiteral("The whole plan"));
    for (const std::int32_t d : model::PlanDays(*outcome_)) {
        day_->addItem(QString::fromStdString(input::DateText(d)) + QLatin1Char(' ') +
                          QLatin1String(input::WeekdayText(d)),
                      QVariant::fromValue(static_cast<qint64>(d)));
    }
    const int at = shown.isValid() ? day_->findData(shown) : 0;
    day_->setCurrentIndex(std::max(0, at));
    day_->setEnabled(day_->count() > 2);
}

void PlanWindow::ShowRoster() {
    if (!outcome_->shifts) {
        roster_->SetRows(QStringLiteral("Choose a shifts file to plan shifts."), {});
        countsModel_->SetRows({}, {}, {});
        return;
    }
    const plan::ShiftSummary& shifts = *outcome_->shifts;
    const QVariant chosen = day_->currentData();
    // The day shown, or the plan's first.
    std::string date;
    if (chosen.isValid())
        date = input::DateText(static_cast<std::int32_t>(chosen.toLongLong()));
    else if (const auto dates = model::RosterDates(shifts); !dates.empty())
        date = dates.front();
    rosterTitle_ = date.empty() ? QStringLiteral("Roster")
                                : QStringLiteral("Roster of %1").arg(QString::fromStdString(date));
    rosterDate_ = date;
    roster_->SetRows(rosterTitle_, model::RosterOfDay(shifts, date));
    const model::ShiftCounts counts = model::CountsPerDay(shifts);
    QStringList heads{QStringLiteral("Date")};
    std::vector<bool> numeric{false};
    for (const std::string& t : counts.types) {
        heads << QString::fromStdString(t);
        numeric.push_back(true);
    }
    std::vector<QStringList> rows;
    for (std::size_t d = 0; d < counts.dates.size(); ++d) {
        QStringList row{counts.dates[d].empty() ? QStringLiteral("-") : QString::fromStdString(counts.dates[d])};
        for (const long n : counts.agents[d]) row << locale().toString(static_cast<qlonglong>(n));
        rows.push_back(row);
    }
    countsModel_->SetRows(heads, std::move(rows), numeric);
}

void PlanWindow::ShowDay() {
    const QVariant chosen = day_->currentData();
    std::vector<std::size_t> rows;
    if (chosen.isValid()) rows = model::RowsOfDay(*outcome_, static_cast<std::int32_t>(chosen.toLongLong()));
    intervalModel_->ShowRows(rows);
    input::ChartData chart =
        rows.empty() ? model::OutcomeChart(*outcome_) : model::OutcomeChart(*outcome_, rows);
    chart.subtitle = RegionalFigures(chart.subtitle, locale()).toStdString();
    chart_->SetData(std::move(chart));
    ShowShifts();
    ShowRoster();
}

void PlanWindow::ShowShifts() {
    const QLocale region = locale();
    if (!outcome_->shifts) {
        shiftModel_->SetRows({}, {}, {});
        shiftTotals_->setText(QStringLiteral("Choose a shifts file to plan shifts."));
        return;
    }
    // A day shown: its shifts and what its calls achieve, above the whole plan's.
    const QVariant chosen = day_->currentData();
    std::optional<std::int32_t> day;
    if (chosen.isValid()) day = static_cast<std::int32_t>(chosen.toLongLong());
    const plan::ShiftSummary& shifts = *outcome_->shifts;
    ShowCells(shiftModel_, report::ShiftCells(shifts, true, day), region);
    std::string text = report::ShiftTotalsText(outcome_->plan.totals, shifts);
    if (day) text = report::ShiftDayText(shifts, *day) + "\nThe whole plan\n" + text;
    shiftTotals_->setText(RegionalFigures(text, region).trimmed());
}

void PlanWindow::SetNotices(const QStringList& notices) {
    notices_ = notices;
    status_->setToolTip(notices.join(QLatin1Char('\n')));
    if (outcome_) ShowStatus();
}

void PlanWindow::Refused(const QString& message, bool cancelled) {
    wanted_ = good_;
    shiftsPath_ = goodShiftsPath_;
    ShowEntries();
    cancel_->hide();
    status_->setText(cancelled ? QStringLiteral("Shift plan cancelled; the plan shown is the last one made")
                               : QStringLiteral("The plan shown is the last one made"));
    if (!cancelled) message_(message, QStringLiteral("Corvane plan"));
}

void PlanWindow::ShowProgress(double best, double bound, bool hasBest) {
    if (!hasBest) {
        status_->setText(QStringLiteral("Planning shifts: no plan found yet"));
        return;
    }
    const double gap = shifts::GapPercent(best, bound);
    status_->setText(QStringLiteral("Planning shifts: best cost so far %1 (paid hours weighted by "
                                    "the shifts' costs), gap %2 %")
                         .arg(locale().toString(best, 'f', 2), locale().toString(gap, 'f', 2)));
}

bool PlanWindow::ChooseShifts(const QString& path) {
    auto read = model::ReadShiftsFile(path.toStdString());
    if (!read) {
        message_(QString::fromStdString(read.Error()), QStringLiteral("Corvane plan"));
        return false;
    }
    wanted_.shifts = std::make_shared<const shifts::ShiftFile>(std::move(read.Value()));
    shiftsPath_ = path;
    ShowEntries();
    Replan();
    return true;
}

void PlanWindow::ClearShifts() {
    if (!wanted_.shifts) return;
    wanted_.shifts.reset();
    shiftsPath_.clear();
    ShowEntries();
    Replan();
}

void PlanWindow::closeEvent(QCloseEvent* event) {
    QSettings().setValue(QLatin1String(kGeometryKey), saveGeometry());
    QMainWindow::closeEvent(event);
}

void PlanWindow::dragEnterEvent(QDragEnterEvent* event) { AcceptForecastDrag(event); }

void PlanWindow::dropEvent(QDropEvent* event) {
    for (const QString& path : DroppedForecasts(event)) open_(path);
}

}  // namespace corvane::ui
