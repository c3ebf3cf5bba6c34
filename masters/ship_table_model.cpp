#include "ship_table_model.h"

void ShipTableModel::setTable(const ShipTable& table) {
    beginResetModel();
    m_rows = table.rows;
    m_columns.clear();
    for (int c = 0; c < tableColumnCount; ++c) {
        if (table.hasColumn(TableColumn(c)))
            m_columns.append(TableColumn(c));
    }
    endResetModel();
}

void ShipTableModel::clear() {
    beginResetModel();
    m_rows.clear();
    m_columns.clear();
    endResetModel();
}

int ShipTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ShipTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ShipTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const std::optional<Decimal>& figure = m_rows.at(index.row())[m_columns.at(index.column())];
    return figure ? figure->toString() : QString();
}

QVariant ShipTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return tableColumnName(m_columns.at(section));
}
