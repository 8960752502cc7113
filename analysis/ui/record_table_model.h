#pragma once
// The analysis grid's rows as a table model: cells are formatted when the
// view asks, so a day file of tens of thousands of records opens at once.
#include "analysis/record_analysis.h"

#include <QAbstractTableModel>

class RecordTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void set_analysis(const tripdesk::analysis::RecordAnalysis* analysis);

    // With no record the grid shows one empty row under the heading.
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const tripdesk::analysis::RecordAnalysis* analysis_ = nullptr;
};
