#include "ship_table_model.h"

void ShipTableModel::setTable(int rowCount, RowReader read, FigureEditor edit) {
    beginResetModel();
    m_rows.clear();
    m_total = rowCount;
    m_read = std::move(read);
    m_edit = std::move(edit);
    endResetModel();
}

void ShipTableModel::clear() {
    setTable(0, {}, {});
}

int ShipTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ShipTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_read ? 0 : tableColumnCount;
}

bool ShipTableModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && m_rows.size() < m_total;
}

void ShipTableModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent))
        return;
    const QList<TableRow> page = m_read(int(m_rows.size()), pageRows);
    // A table shortened meanwhile ends where its rows do.
    if (page.isEmpty()) {
        m_total = int(m_rows.size());
        return;
    }
    beginInsertRows({}, int(m_rows.size()), int(m_rows.size() + page.size()) - 1);
    m_rows.append(page);
    endInsertRows();
}

QVariant ShipTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const std::optional<Decimal>& figure = m_rows.at(index.row())[TableColumn(index.column())];
    return figure ? figure->toString() : QString();
}

QVariant ShipTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return tableColumnName(TableColumn(section));
}

Qt::ItemFlags ShipTableModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return m_edit ? flags | Qt::ItemIsEditable : flags;
}

bool ShipTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !m_edit ||
        value.toString() == data(index, Qt::EditRole).toString())
        return false;
    const std::optional<QList<TableRow>> stored =
        m_edit(index.row(), TableColumn(index.column()), value.toString());
    if (!stored)
        return false;
    // The edit read the whole table; a moved draft may have moved its row.
    // The rows fetched stay as many.
    emit layoutAboutToBeChanged();
    m_rows = stored->mid(0, m_rows.size());
    m_total = int(stored->size());
    emit layoutChanged();
    emit dataChanged(this->index(0, 0), this->index(int(m_rows.size()) - 1, tableColumnCount - 1));
    return true;
}
