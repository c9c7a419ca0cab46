// The plan window's files, clipboard and printing.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QPainter>
#include <QPicture>
#include <QSaveFile>
#include <QTabWidget>
#include <QTableView>

#include <algorithm>

#include "chart/chart_painters.h"
#include "chart/chart_render.h"
#include "output/qt_print_dialog.h"
#include "output/report_printer.h"
#include "model/roster.h"
#include "ui/plan_chart_view.h"
#include "ui/roster_view.h"
#include "ui/plan_window.h"

namespace corvane::ui {

bool PlanWindow::Write(const QString& path, const QByteArray& bytes) {
    // No output replaces an input: the same file, by any name or link.
    const QFileInfo target(path);
    for (const QString& input : {path_, shiftsPath_}) {
        if (input.isEmpty() || !target.exists()) continue;
        const QFileInfo in(input);
        if (in.exists() && in.canonicalFilePath() == target.canonicalFilePath()) {
            message_(QStringLiteral("%1: is the %2 this plan is read from; save under another name")
                         .arg(QDir::toNativeSeparators(path),
                              input != path_             ? QStringLiteral("shifts file")
                              : historyForecast_.isEmpty() ? QStringLiteral("forecast")
                                                           : QStringLiteral("history")),
                     QStringLiteral("Corvane plan"));
            return false;
        }
    }
    // Written aside and put in place whole, as corvane-plan writes.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        message_(QStringLiteral("%1: cannot be written (%2)")
                     .arg(QDir::toNativeSeparators(path), file.errorString()),
                 QStringLiteral("Corvane plan"));
        return false;
    }
    return true;
}

bool PlanWindow::SavePlan(const QString& path, report::PlanFormat format) {
    const std::string text = model::OutcomeText(*outcome_, format, path_.toStdString());
    return Write(path, QByteArray::fromStdString(text));
}

bool PlanWindow::ExportChart(const QString& path) {
    const auto format = path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)
                            ? input::ChartFormat::Svg
                            : input::ChartFormat::Png;
    const QByteArray bytes = chart::RenderChart(chart_->Data(), format);
    if (bytes.isEmpty()) {
        message_(QStringLiteral("The chart cannot be drawn."), QStringLiteral("Corvane plan"));
        return false;
    }
    return Write(path, bytes);
}

bool PlanWindow::SaveShiftPlan(const QString& path) {
    if (!outcome_->shifts) return false;
    return Write(path, QByteArray::fromStdString(report::ShiftPlanCsv(*outcome_->shifts)));
}

bool PlanWindow::SaveForecast(const QString& path) {
    if (historyForecast_.isEmpty()) return false;
    return Write(path, historyForecast_);
}

void PlanWindow::SetForecastFromHistory(QByteArray csv) {
    historyForecast_ = std::move(csv);
    setWindowTitle(QStringLiteral("Forecast from ") + QFileInfo(path_).fileName() +
                   QStringLiteral(" \u2014 Corvane plan"));
    if (auto* save = findChild<QAction*>(QStringLiteral("mnuSaveForecast"))) save->setEnabled(true);
}

QString PlanWindow::SuggestedName(const QString& ending) const {
    const QFileInfo forecast(path_);
    return forecast.dir().filePath(forecast.completeBaseName() + ending);
}

void PlanWindow::SaveFileAs(const QString& caption, const QString& filters, const QString& suggested,
                            const std::function<bool(const QString&, const QString&)>& save) {
    QString filter;
    const QString chosen = saveName_ ? saveName_(caption, suggested, filters, &filter)
                                     : QFileDialog::getSaveFileName(this, caption, suggested,
                                                                    filters, &filter);
    if (chosen.isEmpty()) return;
    save(WithExtension(chosen, filter), filter);
}

QString WithExtension(const QString& path, const QString& filter) {
    // A typed extension that names one of the formats decides; the filter's
    // is added only to a name without one of them ("CSV (*.csv)").
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const char* known : {"csv", "json", "txt", "png", "svg"})
        if (suffix == QLatin1String(known)) return path;
    const int star = filter.indexOf(QLatin1String("*."));
    if (star < 0) return path;
    return path + filter.mid(star + 1, filter.indexOf(QLatin1Char(')'), star) - star - 1);
}

QString PlanWindow::CopySelection() {
    auto* table = qobject_cast<QTableView*>(focusWidget());
    if (!table) table = intervals_;
    const QAbstractItemModel* model = table->model();
    QModelIndexList rows = table->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    // Tabs and line ends inside a cell would split it in a spreadsheet.
    const auto cell = [](QString text) {
        return text.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    };
    QStringList line;
    for (int c = 0; c < model->columnCount(); ++c)
        line << cell(model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
    QString text = line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const QModelIndex& row : rows) {
        line.clear();
        for (int c = 0; c < model->columnCount(); ++c)
            line << cell(model->index(row.row(), c).data().toString());
        text += line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    if (rows.isEmpty()) return {};
    QApplication::clipboard()->setText(text);
    return text;
}

void PlanWindow::Print() {
    // The Roster tab prints the roster it shows.
    if (lowerTabs_->currentWidget() == rosterPage_ && outcome_->shifts) {
        PrintRoster();
        return;
    }
    output::Report report = output::ReportHeaded(windowTitle());
    const std::string text = model::OutcomeText(*outcome_, report::PlanFormat::Text,
                                                path_.toStdString());
    report.lines = QString::fromStdString(text).split(QLatin1Char('\n'));
    // The table fits the page's width, its heading (the line above the
    // rule) on every page its rows run onto.
    report.fitWidth = true;
    for (int i = 1; i < report.lines.size(); ++i)
        if (report.lines[i].startsWith(QLatin1String("====="))) {
            report.repeated = report.lines.mid(i - 1, 2);
            report.repeatFrom = i + 1;
            report.repeatUntil = static_cast<int>(report.lines.size());
            for (int j = i + 1; j < report.lines.size(); ++j)
                if (report.lines[j].trimmed().isEmpty()) {
                    report.repeatUntil = j;
                    break;
                }
            break;
        }
    QPicture picture;
    {
        QPainter painter(&picture);
        if (chart_->Data().HeatMap())
            chart::PaintHeatMap(painter, chart_->Data());
        else
            chart::PaintLines(painter, chart_->Data());
    }
    output::QtPrintDialog platform(this);
    output::PrintDialog& dialog = printDialog_ ? *printDialog_ : platform;
    if (!output::PrintReport(&report, dialog, &picture,
                             QSize(chart::kChartWidth, chart::kChartHeight)))
        message_(QStringLiteral("The plan could not be printed."), QStringLiteral("Corvane plan"));
}

void PlanWindow::PrintRoster() {
    output::Report report = output::ReportHeaded(rosterTitle_ + QStringLiteral(" \u2014 ") + windowTitle());
    for (const std::string& line : model::RosterLines(*outcome_->shifts, rosterDate_))
        report.lines << QString::fromStdString(line);
    report.fitWidth = true;
    // The timeline as the tab draws it, a bar a line.
    const std::vector<plan::ShiftRow> rows = model::RosterOfDay(*outcome_->shifts, rosterDate_);
    const int line = roster_->fontMetrics().height() + 6;
    const QSize size(900, line * (static_cast<int>(rows.size()) + 3));
    QPicture picture;
    {
        QPainter painter(&picture);
        painter.setFont(roster_->font());
        PaintRoster(painter, size, rosterTitle_, rows);
    }
    output::QtPrintDialog platform(this);
    output::PrintDialog& dialog = printDialog_ ? *printDialog_ : platform;
    if (!output::PrintReport(&report, dialog, &picture, size))
        message_(QStringLiteral("The roster could not be printed."), QStringLiteral("Corvane plan"));
}

}  // namespace corvane::ui
