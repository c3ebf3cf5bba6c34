#include "ship_list_model.h"

#include "connection.h"
#include "errors.h"
#include "schema.h"
#include "statement.h"

#include <limits>

namespace {

const int PageSize = 256;

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

void ShipListModel::reload(Connection& connection) {
    // Without the index every page would sort the whole register. A
    // database that cannot take it (read-only) is still read, only slower.
    try {
        for (const QString& statement : createIndexStatements())
            connection.execute(statement);
    } catch (const ProgramError&) {
    }
    QSqlQuery count =
        runStatement(connection.database(), QStringLiteral("SELECT COUNT(*) FROM Ship"));
    const int ships = count.next() ? count.value(0).toInt() : 0;
    beginResetModel();
    m_connection = &connection;
    m_count = ships;
    m_pages.clear();
    endResetModel();
}

int ShipListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_count;
}

QList<ShipListModel::Ship> ShipListModel::readPage(int page) const {
    // One row either side tells whether the first and last names are shared.
    const int first = page * PageSize;
    const int from = std::max(0, first - 1);
    QSqlQuery query =
        runStatement(m_connection->database(),
                     QStringLiteral("SELECT ShipID, ShipName, CallSign, IMONo FROM Ship "
                                    "ORDER BY ShipName COLLATE NOCASE, ShipID LIMIT ? OFFSET ?"),
                     {PageSize + 1 + (first - from), from});
    QList<Ship> rows;
    while (query.next())
        rows.append({query.value(0).toLongLong(), query.value(1).toString(),
                     query.value(2).toString(), query.value(3).toString(), false});
    for (int i = 1; i < rows.size(); ++i) {
        if (sameName(rows[i].name, rows[i - 1].name))
            rows[i].shared = rows[i - 1].shared = true;
    }
    if (first > 0 && !rows.isEmpty())
        rows.removeFirst();
    if (rows.size() > PageSize)
        rows.removeLast();
    return rows;
}

const ShipListModel::Ship* ShipListModel::shipAt(int row) const {
    if (!m_connection || row < 0 || row >= m_count)
        return nullptr;
    const int page = row / PageSize;
    auto found = m_pages.constFind(page);
    if (found == m_pages.constEnd()) {
        try {
            found = m_pages.insert(page, readPage(page));
        } catch (const ProgramError&) {
            // A view asking for a row it cannot have shows it empty.
            return nullptr;
        }
    }
    const int offset = row % PageSize;
    return offset < found->size() ? &found->at(offset) : nullptr;
}

QVariant ShipListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const Ship* ship = shipAt(index.row());
    if (!ship)
        return {};
    if (role == Qt::EditRole || !ship->shared)
        return ship->name;
    QStringList marks;
    if (!ship->callSign.isEmpty())
        marks.append(ship->callSign);
    if (!ship->imoNo.isEmpty())
        marks.append(QStringLiteral("IMO ") + ship->imoNo);
    if (marks.isEmpty())
        marks.append(QStringLiteral("no. ") + QString::number(ship->id));
    return ship->name + QStringLiteral("  (") + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
}

qint64 ShipListModel::shipIdAt(int row) const {
    const Ship* ship = shipAt(row);
    return ship ? ship->id : -1;
}

int ShipListModel::rowsBefore(const QString& name, qint64 shipId) const {
    // Three counts, each a range of the name index: one condition joined by
    // OR would read the whole table.
    QSqlQuery query = runStatement(
        m_connection->database(),
        QStringLiteral("SELECT (SELECT COUNT(*) FROM Ship WHERE ShipName IS NULL) + "
                       "(SELECT COUNT(*) FROM Ship WHERE ShipName < ? COLLATE NOCASE) + "
                       "(SELECT COUNT(*) FROM Ship WHERE ShipName = ? COLLATE NOCASE "
                       "AND ShipID < ?)"),
        {name, name, shipId});
    return query.next() ? query.value(0).toInt() : 0;
}

int ShipListModel::rowOfShip(qint64 shipId) const {
    if (!m_connection)
        return -1;
    QSqlQuery ship =
        runStatement(m_connection->database(),
                     QStringLiteral("SELECT ShipName FROM Ship WHERE ShipID = ?"), {shipId});
    if (!ship.next())
        return -1;
    const int row = rowsBefore(ship.value(0).toString(), shipId);
    return shipIdAt(row) == shipId ? row : -1;
}

QModelIndexList ShipListModel::match(const QModelIndex& start, int role, const QVariant& value,
                                     int hits, Qt::MatchFlags flags) const {
    const Qt::MatchFlags how = flags & Qt::MatchTypeMask;
    if ((role != Qt::DisplayRole && role != Qt::EditRole) || hits != 1 || !m_connection ||
        (how != Qt::MatchExactly && how != Qt::MatchFixedString && how != Qt::MatchStartsWith))
        return QAbstractListModel::match(start, role, value, hits, flags);
    const QString wanted = value.toString();
    const Qt::CaseSensitivity caseSensitivity =
        flags.testFlag(Qt::MatchCaseSensitive) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const auto fits = [&](const Ship& ship, Qt::CaseSensitivity sensitivity) {
        return how == Qt::MatchStartsWith ? ship.name.startsWith(wanted, sensitivity)
                                          : ship.name.compare(wanted, sensitivity) == 0;
    };
    // Every name that can fit sorts together, from where the wanted text would go.
    int first = 0;
    try {
        first = rowsBefore(wanted, std::numeric_limits<qint64>::min());
    } catch (const ProgramError&) {
        return {};
    }
    const int from = std::max(first, start.row());
    for (int row : {from, first}) {
        for (const Ship* ship = shipAt(row); ship && fits(*ship, Qt::CaseInsensitive);
             ship = shipAt(++row)) {
            if (fits(*ship, caseSensitivity))
                return {index(row)};
        }
        if (!flags.testFlag(Qt::MatchWrap) || from == first)
            break;
    }
    return {};
}
