#include "port_list_model.h"

#include "connection.h"
#include "statement.h"

void PortListModel::reload(Connection& connection) {
    QSqlQuery query = runStatement(
        connection.database(),
        QStringLiteral("SELECT PortID, PortName FROM Port ORDER BY PortName COLLATE NOCASE"));
    QList<Port> ports;
    QHash<qint64, int> rows;
    while (query.next()) {
        rows.insert(query.value(0).toLongLong(), int(ports.size()));
        ports.append({query.value(0).toLongLong(), query.value(1).toString()});
    }
    beginResetModel();
    m_ports = std::move(ports);
    m_rows = std::move(rows);
    endResetModel();
}

int PortListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_ports.size());
}

QVariant PortListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_ports.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_ports.at(index.row()).name;
    return {};
}
