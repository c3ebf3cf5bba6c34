#pragma once

#include "ship_table.h"

#include <QAbstractTableModel>

// The rows of one ship's table, a column for each figure the table gives.
// A figure the table lacks shows blank: a 0 would read as a measured value.
class ShipTableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setTable(const ShipTable& table);
    void clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<TableRow> m_rows;
    QList<TableColumn> m_columns;
};
