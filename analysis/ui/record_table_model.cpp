#include "analysis/ui/record_table_model.h"

using tripdesk::analysis::kColumnCount;

void RecordTableModel::set_analysis(const tripdesk::analysis::RecordAnalysis* analysis) {
    beginResetModel();
    analysis_ = analysis;
    endResetModel();
}

int RecordTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    const int records = analysis_ ? static_cast<int>(analysis_->records.size()) : 0;
    return std::max(records, 1);
}

int RecordTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant RecordTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !analysis_ || !index.isValid()) return {};
    const auto row = static_cast<size_t>(index.row());
    if (row >= analysis_->records.size()) return {};
    const auto cells = tripdesk::analysis::row_cells(analysis_->records[row], index.row());
    return QString::fromStdString(cells[static_cast<size_t>(index.column())]);
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
    return QString::fromStdString(tripdesk::analysis::column_headings()[static_cast<size_t>(section)]);
}
