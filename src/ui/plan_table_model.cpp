#include "ui/plan_table_model.h"

#include <QRegularExpression>

#include <QBrush>
#include <QColor>

namespace corvane::ui {

namespace {

bool Numeric(report::PlanColumn c) {
    return c != report::PlanColumn::Interval && c != report::PlanColumn::Status;
}

const QColor kOutsideRange(0xf6, 0xd5, 0xd5);

}  // namespace

QString RegionalNumber(const std::string& text, const QLocale& locale) {
    QString out;
    for (const char c : text) {
        if (c == '.')
            out += locale.decimalPoint();
        else if (c == ',')
            out += locale.groupSeparator();
        else
            out += QLatin1Char(c);
    }
    return out;
}

QString RegionalFigures(const std::string& text, const QLocale& locale) {
    // A figure with grouping or decimals: "1,694.25", "30.5"; dates and
    // times have neither.
    static const QRegularExpression kFigure(
        QStringLiteral("(?<![\\d.,])(\\d{1,3}(?:,\\d{3})+(?:\\.\\d+)?|\\d+\\.\\d+)(?![\\d.,])"));
    const QString plain = QString::fromStdString(text);
    QString out;
    qsizetype at = 0;
    for (auto it = kFigure.globalMatch(plain); it.hasNext();) {
        const auto m = it.next();
        out += plain.mid(at, m.capturedStart() - at);
        out += RegionalNumber(m.captured().toStdString(), locale);
        at = m.capturedEnd();
    }
    return out + plain.mid(at);
}

PlanTableModel::PlanTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void PlanTableModel::SetOutcome(std::shared_ptr<const model::PlanOutcome> outcome,
                                const QLocale& locale) {
    beginResetModel();
    outcome_ = std::move(outcome);
    locale_ = locale;
    columns_ = outcome_ ? report::PlanColumns(outcome_->plan.options, outcome_->shifts.has_value())
                        : std::vector<report::PlanColumn>{};
    endResetModel();
}

void PlanTableModel::ShowRows(std::vector<std::size_t> rows) {
    beginResetModel();
    shown_ = std::move(rows);
    endResetModel();
}

int PlanTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !outcome_) return 0;
    return static_cast<int>(shown_.empty() ? outcome_->plan.rows.size() : shown_.size());
}

int PlanTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant PlanTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !outcome_) return {};
    const plan::IntervalPlan& p = outcome_->plan.rows[PlanRow(index.row())];
    const report::PlanColumn column = columns_[static_cast<std::size_t>(index.column())];
    switch (role) {
        case Qt::DisplayRole: {
            std::string text;
            report::AppendCell(text, p, column);
            if (!Numeric(column)) return QString::fromStdString(text).simplified();
            return RegionalNumber(text, locale_);
        }
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignVCenter |
                                       (Numeric(column) ? Qt::AlignRight : Qt::AlignLeft));
        case Qt::BackgroundRole:
            if (p.status == plan::IntervalStatus::OutsideRange) return QBrush(kOutsideRange);
            return {};
        default: return {};
    }
}

QVariant PlanTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    if (orientation == Qt::Vertical) return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    // The heads are the CSV's names, which Copy gives as corvane-plan
    // writes them; their tips are the captions.
    const report::PlanColumn column = columns_[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole) return QString::fromLatin1(report::ColumnName(column));
    const QString unit = QString::fromLatin1(report::ColumnUnit(column));
    return QString::fromLatin1(report::ColumnCaption(column)) +
           (unit.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(unit));
}

TextTableModel::TextTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void TextTableModel::SetRows(QStringList headers, std::vector<QStringList> rows,
                             std::vector<bool> numeric) {
    beginResetModel();
    headers_ = std::move(headers);
    rows_ = std::move(rows);
    numeric_ = std::move(numeric);
    endResetModel();
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto column = static_cast<std::size_t>(index.column());
    if (role == Qt::DisplayRole) return rows_[static_cast<std::size_t>(index.row())].value(index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (column < numeric_.size() && numeric_[column]
                                                           ? Qt::AlignRight
                                                           : Qt::AlignLeft));
    return {};
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return headers_.value(section);
}

}  // namespace corvane::ui
