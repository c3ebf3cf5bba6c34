#pragma once

#include "ship_table.h"

#include <QAbstractTableModel>
#include <functional>
#include <optional>

// The rows of one ship's table, a column for each figure a table may give,
// read from the register a page at a time as the view scrolls. A figure the
// table lacks shows blank: a 0 would read as a measured value.
class ShipTableModel : public QAbstractTableModel {
public:
    // `count` rows of the table from the `first` (0), by rising draft.
    using RowReader = std::function<QList<TableRow>(int first, int count)>;
    // A figure typed into a cell: the table's rows as stored with it, or
    // nothing when it was not stored.
    using FigureEditor =
        std::function<std::optional<QList<TableRow>>(int row, TableColumn column, const QString&)>;

    using QAbstractTableModel::QAbstractTableModel;

    void setTable(int rowCount, RowReader read, FigureEditor edit);
    void clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    static constexpr int pageRows = 256;

private:
    QList<TableRow> m_rows;
    int m_total = 0;
    RowReader m_read;
    FigureEditor m_edit;
};
