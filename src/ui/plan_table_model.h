#pragma once

#include <QAbstractTableModel>
#include <QLocale>

#include <memory>
#include <vector>

#include "model/plan_outcome.h"
#include "report/plan_columns.h"

namespace corvane::ui {

// The planned intervals as a table: the CSV plan's columns and cells, the
// decimal mark the planner's region uses, rows outside the usable range
// marked.
class PlanTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit PlanTableModel(QObject* parent = nullptr);

    void SetOutcome(std::shared_ptr<const model::PlanOutcome> outcome, const QLocale& locale);
    // Shows only these rows of the plan (a day's); every row when empty.
    void ShowRows(std::vector<std::size_t> rows);
    // The plan's row a table row shows.
    std::size_t PlanRow(int row) const {
        return shown_.empty() ? static_cast<std::size_t>(row) : shown_[static_cast<std::size_t>(row)];
    }

    report::PlanColumn Column(int section) const {
        return columns_[static_cast<std::size_t>(section)];
    }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::shared_ptr<const model::PlanOutcome> outcome_;
    std::vector<report::PlanColumn> columns_;
    QLocale locale_;
    std::vector<std::size_t> shown_;  // empty: all
};

// A small table of texts: the per-day totals, the shift plan.
class TextTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit TextTableModel(QObject* parent = nullptr);

    // `numeric`: the columns aligned right.
    void SetRows(QStringList headers, std::vector<QStringList> rows, std::vector<bool> numeric);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList headers_;
    std::vector<QStringList> rows_;
    std::vector<bool> numeric_;
};

// A number as the plan's files write it ("1,234.5") in the region's marks
// ("1.234,5" where the comma is the decimal mark).
QString RegionalNumber(const std::string& text, const QLocale& locale);
// Every figure in a text ("Required agent-hours: 1,694.25") in the region's
// marks; the rest as it stands.
QString RegionalFigures(const std::string& text, const QLocale& locale);

}  // namespace corvane::ui
