#include "ship_list_model.h"

#include "connection.h"
#include "statement.h"

void ShipListModel::reload(Connection& connection) {
    // Case-insensitive order puts same-named ships next to each other.
    QSqlQuery query = runStatement(
        connection.database(), QStringLiteral("SELECT ShipID, ShipName, CallSign, IMONo FROM Ship "
                                              "ORDER BY ShipName COLLATE NOCASE, ShipID"));
    QList<Ship> ships;
    QHash<qint64, int> rows;
    while (query.next()) {
        const qint64 id = query.value(0).toLongLong();
        rows.insert(id, int(ships.size()));
        ships.append({id, query.value(1).toString(), query.value(2).toString(),
                      query.value(3).toString(), false});
    }
    for (int i = 1; i < ships.size(); ++i) {
        if (ships[i].name.compare(ships[i - 1].name, Qt::CaseInsensitive) == 0)
            ships[i].shared = ships[i - 1].shared = true;
    }
    beginResetModel();
    m_ships = std::move(ships);
    m_rows = std::move(rows);
    endResetModel();
}

int ShipListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_ships.size());
}

QString ShipListModel::shownName(const Ship& ship) const {
    if (!ship.shared)
        return ship.name;
    QStringList marks;
    if (!ship.callSign.isEmpty())
        marks.append(ship.callSign);
    if (!ship.imoNo.isEmpty())
        marks.append(QStringLiteral("IMO ") + ship.imoNo);
    if (marks.isEmpty())
        marks.append(QStringLiteral("no. ") + QString::number(ship.id));
    return ship.name + QStringLiteral("  (") + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QVariant ShipListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_ships.size())
        return {};
    const Ship& ship = m_ships.at(index.row());
    if (role == Qt::DisplayRole)
        return shownName(ship);
    if (role == Qt::EditRole)
        return ship.name;
    return {};
}
