#include "register.h"

#include "column_value.h"
#include "connection.h"
#include "errors.h"
#include "sql_dialect.h"
#include "statement.h"
#include "store_errors.h"

#include <QDateTime>
#include <QSqlError>
#include <algorithm>
#include <limits>

namespace {

const QString PortInsert =
    QStringLiteral("INSERT INTO Port (PortName, City, Country) VALUES (?, ?, ?) RETURNING PortID");
const QString ShipInsert =
    QStringLiteral("INSERT INTO Ship (ShipName, LBP, LOA, Breadth, LightShip, CallSign, "
                   "PortOfRegistry, OfficialNo, IMONo, Flag, GrossTonnage, NetTonnage, "
                   "SummerDraft, SummerDeadweight) "
                   "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING ShipID");

const QString ShipColumns =
    QStringLiteral("ShipID, ShipName, LBP, LOA, Breadth, LightShip, CallSign, PortOfRegistry, "
                   "OfficialNo, IMONo, Flag, GrossTonnage, NetTonnage, SummerDraft, "
                   "SummerDeadweight, RowVersion, ChangedBy, ChangedAt");
const QString PortColumns =
    QStringLiteral("PortID, PortName, City, Country, RowVersion, ChangedBy, ChangedAt");

// The current row's column, typed by the schema.
Variant valueOf(const QSqlQuery& query, const QString& column) {
    return storedValue(column, query.value(column));
}

QString textOf(const QSqlQuery& query, const QString& column) {
    const Variant value = valueOf(query, column);
    return value.isNull() ? QString() : value.toText();
}

std::optional<QString> optionalText(const QSqlQuery& query, const QString& column) {
    const Variant value = valueOf(query, column);
    if (value.isNull())
        return std::nullopt;
    return value.toText();
}

std::optional<Decimal> optionalDecimal(const QSqlQuery& query, const QString& column) {
    const Variant value = valueOf(query, column);
    if (value.isNull())
        return std::nullopt;
    return value.toDecimal();
}

template <typename T> Variant bound(const std::optional<T>& value) {
    return value ? Variant(*value) : Variant::null();
}

RecordChange changeAt(const QSqlQuery& query) {
    const Variant version = valueOf(query, QStringLiteral("RowVersion"));
    return {version.isNull() ? 0 : version.toWhole(), textOf(query, QStringLiteral("ChangedBy")),
            textOf(query, QStringLiteral("ChangedAt"))};
}

PortRecord portAt(const QSqlQuery& query) {
    return {valueOf(query, QStringLiteral("PortID")).toWhole(),
            textOf(query, QStringLiteral("PortName")), textOf(query, QStringLiteral("City")),
            textOf(query, QStringLiteral("Country")), changeAt(query)};
}

ShipRecord shipAt(const QSqlQuery& query) {
    ShipRecord ship;
    ship.id = valueOf(query, QStringLiteral("ShipID")).toWhole();
    ship.name = textOf(query, QStringLiteral("ShipName"));
    ship.lbp = optionalDecimal(query, QStringLiteral("LBP"));
    ship.loa = optionalDecimal(query, QStringLiteral("LOA"));
    ship.breadth = optionalDecimal(query, QStringLiteral("Breadth"));
    ship.lightShip = optionalDecimal(query, QStringLiteral("LightShip"));
    ship.callSign = optionalText(query, QStringLiteral("CallSign"));
    const Variant port = valueOf(query, QStringLiteral("PortOfRegistry"));
    if (!port.isNull())
        ship.portOfRegistry = port.toWhole();
    ship.officialNo = optionalDecimal(query, QStringLiteral("OfficialNo"));
    ship.imoNo = optionalDecimal(query, QStringLiteral("IMONo"));
    ship.flag = optionalText(query, QStringLiteral("Flag"));
    ship.grossTonnage = optionalDecimal(query, QStringLiteral("GrossTonnage"));
    ship.netTonnage = optionalDecimal(query, QStringLiteral("NetTonnage"));
    ship.summerDraft = optionalDecimal(query, QStringLiteral("SummerDraft"));
    ship.summerDeadweight = optionalDecimal(query, QStringLiteral("SummerDeadweight"));
    ship.change = changeAt(query);
    return ship;
}

// In the order of ShipColumns after the key.
QList<Variant> shipValues(const ShipRecord& ship) {
    return {ship.name,
            bound(ship.lbp),
            bound(ship.loa),
            bound(ship.breadth),
            bound(ship.lightShip),
            bound(ship.callSign),
            bound(ship.portOfRegistry),
            bound(ship.officialNo),
            bound(ship.imoNo),
            bound(ship.flag),
            bound(ship.grossTonnage),
            bound(ship.netTonnage),
            bound(ship.summerDraft),
            bound(ship.summerDeadweight)};
}

QSqlQuery run(const Connection& connection, const QString& statement,
              const QList<Variant>& values = {}) {
    if (!connection.isOpen())
        throw objectClosedError();
    return runStatement(connection.database(), statement, values);
}

// A read can fail part way, after some rows.
void requireReadToTheEnd(const QSqlQuery& query) {
    if (query.lastError().isValid())
        throw ProgramError::storeFailure(query.lastError().text());
}

qint64 newKey(QSqlQuery insert) {
    return insertedKey(insert).toLongLong();
}

// Runs a statement prepared once for many rows.
qint64 insertWith(QSqlQuery& statement, const QList<Variant>& values) {
    for (int i = 0; i < values.size(); ++i)
        statement.bindValue(i, boundValue(values.at(i)));
    if (!statement.exec())
        throw ProgramError::storeFailure(statement.lastError().text());
    return insertedKey(statement).toLongLong();
}

QString lcfOriginName(LcfOrigin origin) {
    return origin == LcfOrigin::Amidships ? QStringLiteral("Amidships")
                                          : QStringLiteral("AftPerpendicular");
}

QString lcfPositiveName(LcfPositive positive) {
    return positive == LcfPositive::Aft ? QStringLiteral("Aft") : QStringLiteral("Forward");
}

ShipTable tableAt(const QSqlQuery& query) {
    ShipTable table;
    table.id = valueOf(query, QStringLiteral("TableID")).toWhole();
    table.shipID = int(valueOf(query, QStringLiteral("TableShipID")).toWhole());
    TableDeclaration& declaration = table.declaration;
    declaration.density = valueOf(query, QStringLiteral("TableDensity")).toDecimal();
    declaration.lcfOrigin =
        textOf(query, QStringLiteral("LcfOrigin")) == lcfOriginName(LcfOrigin::Amidships)
            ? LcfOrigin::Amidships
            : LcfOrigin::AftPerpendicular;
    declaration.lcfPositive =
        textOf(query, QStringLiteral("LcfPositive")) == lcfPositiveName(LcfPositive::Aft)
            ? LcfPositive::Aft
            : LcfPositive::Forward;
    declaration.source = textOf(query, QStringLiteral("TableSource"));
    declaration.trim = optionalDecimal(query, QStringLiteral("TableTrim"));
    return table;
}

// The row columns in the order of TableColumn.
const char* const RowColumns[tableColumnCount] = {"RowDraft", "RowDisplacement", "RowTPC", "RowLCF",
                                                  "RowMCTC",  "RowKM",           "RowLCB"};

const QString TableColumns = QStringLiteral(
    "TableID, TableShipID, TableDensity, LcfOrigin, LcfPositive, TableSource, TableTrim");

void prepareTableInserts(QSqlQuery& heading, QSqlQuery& rows) {
    if (!heading.prepare(QStringLiteral("INSERT INTO HydrostaticTable (TableShipID, TableDensity, "
                                        "LcfOrigin, LcfPositive, TableSource, TableTrim) "
                                        "VALUES (?, ?, ?, ?, ?, ?) RETURNING TableID")) ||
        !rows.prepare(QStringLiteral("INSERT INTO HydrostaticRow (RowTableID, RowDraft, "
                                     "RowDisplacement, RowTPC, RowLCF, RowMCTC, RowKM, RowLCB) "
                                     "VALUES (?, ?, ?, ?, ?, ?, ?, ?)")))
        throw ProgramError::storeFailure(heading.lastError().text() + rows.lastError().text());
}

// Rows go in by rising draft, so that a page read in the order stored is
// in draft order.
void insertRows(QSqlQuery& insert, qint64 tableID, const QList<TableRow>& rows) {
    for (const TableRow& row : rows) {
        QList<Variant> values{tableID};
        for (const std::optional<Decimal>& value : row.values)
            values.append(bound(value));
        for (int i = 0; i < values.size(); ++i)
            insert.bindValue(i, boundValue(values.at(i)));
        if (!insert.exec())
            throw ProgramError::storeFailure(insert.lastError().text());
    }
}

// The table and its rows, through statements prepared once; the key.
qint64 insertTable(QSqlQuery& heading, QSqlQuery& rows, const ShipTable& table) {
    const TableDeclaration& declaration = table.declaration;
    const qint64 id = insertWith(heading, {qint64(table.shipID), declaration.density,
                                           lcfOriginName(declaration.lcfOrigin),
                                           lcfPositiveName(declaration.lcfPositive),
                                           declaration.source, bound(declaration.trim)});
    insertRows(rows, id, table.rows);
    return id;
}

// The values a save writes after the record's own: the next version, who
// and when; then the key and the version the save started from.
QList<Variant> changeValues(qint64 id, const RecordChange& from) {
    QString who = qEnvironmentVariable("USER");
    if (who.isEmpty())
        who = qEnvironmentVariable("USERNAME");
    return {from.version + 1, who,
            QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd HH:mm 'UTC'")), id,
            from.version};
}

// An update that found no row: another window deleted the record meanwhile
// (a port's ships go with the port), or another surveyor saved it since it
// was read (`now` is their save). Either way the edit must not count as
// saved, and must not overwrite theirs.
ProgramError refusedSave(const QString& what, const std::optional<RecordChange>& now) {
    if (!now)
        return ProgramError::storeFailure(
            QStringLiteral("The record is no longer in the database; another window may have "
                           "deleted it."));
    return ProgramError::storeFailure(
        QStringLiteral("%1 was changed by %2 at %3 after you opened it, and your change was not "
                       "saved. Open it again to see theirs, then make your change.")
            .arg(what, now->by.isEmpty() ? QStringLiteral("another surveyor") : now->by,
                 now->at.isEmpty() ? QStringLiteral("an unknown time") : now->at));
}

} // namespace

QList<PortRecord> Register::ports() const {
    QSqlQuery query = run(m_connection, QStringLiteral("SELECT ") + PortColumns +
                                            QStringLiteral(" FROM Port ORDER BY PortID"));
    QList<PortRecord> ports;
    while (query.next())
        ports.append(portAt(query));
    requireReadToTheEnd(query);
    return ports;
}

std::optional<PortRecord> Register::port(qint64 id) const {
    QSqlQuery query =
        run(m_connection,
            QStringLiteral("SELECT ") + PortColumns + QStringLiteral(" FROM Port WHERE PortID = ?"),
            {id});
    if (!query.next())
        return std::nullopt;
    return portAt(query);
}

qint64 Register::insertPort(const PortRecord& port) const {
    const qint64 key = newKey(run(m_connection, PortInsert, {port.name, port.city, port.country}));
    announceChange({QStringLiteral("Port")});
    return key;
}

qint64 Register::updatePort(const PortRecord& port) const {
    const QSqlQuery update = run(
        m_connection,
        QStringLiteral(
            "UPDATE Port SET PortName = ?, City = ?, Country = ?, RowVersion = ?, "
            "ChangedBy = ?, ChangedAt = ? WHERE PortID = ? AND COALESCE(RowVersion, 0) = ?"),
        QList<Variant>{port.name, port.city, port.country} + changeValues(port.id, port.change));
    if (update.numRowsAffected() == 0) {
        const std::optional<PortRecord> now = this->port(port.id);
        throw refusedSave(QStringLiteral("The port ") + (now ? now->name : port.name),
                          now ? std::optional(now->change) : std::nullopt);
    }
    announceChange({QStringLiteral("Port")});
    return port.change.version + 1;
}

void Register::deletePortAndItsShips(qint64 id) const {
    run(m_connection, QStringLiteral("DELETE FROM Port WHERE PortID = ?"), {id});
    announceChange({QStringLiteral("Port"), QStringLiteral("Ship")});
}

std::optional<ShipRecord> Register::ship(qint64 id) const {
    QSqlQuery query =
        run(m_connection,
            QStringLiteral("SELECT ") + ShipColumns + QStringLiteral(" FROM Ship WHERE ShipID = ?"),
            {id});
    if (!query.next())
        return std::nullopt;
    return shipAt(query);
}

QList<ShipRecord> Register::shipsNamed(const QString& name) const {
    QSqlQuery query = run(m_connection,
                          QStringLiteral("SELECT ") + ShipColumns +
                              QStringLiteral(" FROM Ship WHERE ShipName = ? ORDER BY ShipID"),
                          {name});
    QList<ShipRecord> ships;
    while (query.next())
        ships.append(shipAt(query));
    requireReadToTheEnd(query);
    return ships;
}

qint64 Register::insertShip(const ShipRecord& ship) const {
    const qint64 key = newKey(run(m_connection, ShipInsert, shipValues(ship)));
    announceChange({QStringLiteral("Ship")});
    return key;
}

qint64 Register::updateShip(const ShipRecord& ship) const {
    const QSqlQuery update =
        run(m_connection,
            QStringLiteral("UPDATE Ship SET ShipName = ?, LBP = ?, LOA = ?, Breadth = ?, "
                           "LightShip = ?, CallSign = ?, PortOfRegistry = ?, OfficialNo = ?, "
                           "IMONo = ?, Flag = ?, GrossTonnage = ?, NetTonnage = ?, "
                           "SummerDraft = ?, SummerDeadweight = ?, RowVersion = ?, ChangedBy = ?, "
                           "ChangedAt = ? WHERE ShipID = ? AND COALESCE(RowVersion, 0) = ?"),
            shipValues(ship) + changeValues(ship.id, ship.change));
    if (update.numRowsAffected() == 0) {
        const std::optional<ShipRecord> now = this->ship(ship.id);
        throw refusedSave(QStringLiteral("The ship ") + (now ? now->name : ship.name),
                          now ? std::optional(now->change) : std::nullopt);
    }
    announceChange({QStringLiteral("Ship")});
    return ship.change.version + 1;
}

void Register::deleteShip(qint64 id) const {
    run(m_connection, QStringLiteral("DELETE FROM Ship WHERE ShipID = ?"), {id});
    announceChange({QStringLiteral("Ship")});
}

void Register::announceChange(const QStringList& tables) const {
    const QString& statement = m_connection.dialect().announceChange;
    if (statement.isEmpty())
        return;
    // The change is stored: an announcement that fails only leaves other
    // lists as they were until they are opened again.
    try {
        for (const QString& table : tables)
            run(m_connection, statement, {table});
    } catch (const ProgramError&) {
    }
}

QList<DeductionItem> Register::deductionItems() const {
    QSqlQuery query =
        run(m_connection,
            QStringLiteral("SELECT ItemID, ItemName FROM DeductionMaster ORDER BY ItemID"));
    QList<DeductionItem> items;
    while (query.next())
        items.append({int(valueOf(query, QStringLiteral("ItemID")).toWhole()),
                      textOf(query, QStringLiteral("ItemName"))});
    requireReadToTheEnd(query);
    return items;
}

QStringList Register::tips() const {
    QSqlQuery query = run(m_connection, QStringLiteral("SELECT Tip FROM TipOfDay"));
    QStringList tips;
    while (query.next())
        tips.append(textOf(query, QStringLiteral("Tip")));
    requireReadToTheEnd(query);
    return tips;
}

QList<ShipTable> Register::shipTables(qint64 shipID) const {
    QSqlQuery query = run(m_connection,
                          QStringLiteral("SELECT ") + TableColumns +
                              QStringLiteral(" FROM HydrostaticTable WHERE TableShipID = ? "
                                             "ORDER BY TableID"),
                          {shipID});
    QList<ShipTable> tables;
    while (query.next())
        tables.append(tableAt(query));
    requireReadToTheEnd(query);
    return tables;
}

std::optional<ShipTable> Register::shipTable(qint64 id) const {
    QSqlQuery heading = run(m_connection,
                            QStringLiteral("SELECT ") + TableColumns +
                                QStringLiteral(" FROM HydrostaticTable WHERE TableID = ?"),
                            {id});
    if (!heading.next()) {
        requireReadToTheEnd(heading);
        return std::nullopt;
    }
    ShipTable table = tableAt(heading);
    table.rows = tableRows(id, 0, -1);
    // Kept in draft order by every writer; sorted here by exact draft all
    // the same, as the store would compare the drafts as binary floating
    // point.
    std::stable_sort(table.rows.begin(), table.rows.end(),
                     [](const TableRow& a, const TableRow& b) {
                         return a[TableColumn::Draft] < b[TableColumn::Draft];
                     });
    return table;
}

QList<TableRow> Register::tableRows(qint64 id, int first, int count) const {
    QStringList columns;
    for (const char* column : RowColumns)
        columns.append(QString::fromLatin1(column));
    QSqlQuery rows =
        run(m_connection,
            QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) +
                QStringLiteral(" FROM HydrostaticRow WHERE RowTableID = ? ORDER BY ") +
                m_connection.dialect().insertionOrder + QStringLiteral(" LIMIT ? OFFSET ?"),
            {id, qint64(count < 0 ? std::numeric_limits<int>::max() : count), qint64(first)});
    QList<TableRow> read;
    while (rows.next()) {
        TableRow row;
        for (int c = 0; c < tableColumnCount; ++c)
            row.values[size_t(c)] = optionalDecimal(rows, columns.at(c));
        read.append(row);
    }
    requireReadToTheEnd(rows);
    return read;
}

int Register::tableRowCount(qint64 id) const {
    QSqlQuery count =
        run(m_connection,
            QStringLiteral("SELECT COUNT(*) AS RowCount FROM HydrostaticRow WHERE RowTableID = ?"),
            {id});
    const int rows = count.next() ? int(valueOf(count, QStringLiteral("RowCount")).toWhole()) : 0;
    requireReadToTheEnd(count);
    return rows;
}

void Register::replaceTableRows(qint64 id, const QList<TableRow>& rows) const {
    QSqlDatabase db = m_connection.database();
    if (!db.transaction())
        throw ProgramError::storeFailure(db.lastError().text());
    try {
        run(m_connection, QStringLiteral("DELETE FROM HydrostaticRow WHERE RowTableID = ?"), {id});
        QSqlQuery heading(db), insert(db);
        prepareTableInserts(heading, insert);
        insertRows(insert, id, rows);
        if (!db.commit())
            throw ProgramError::storeFailure(db.lastError().text());
    } catch (const ProgramError&) {
        db.rollback();
        throw;
    }
}

std::optional<qint64> Register::surveyTableID(qint64 shipID) const {
    const QList<ShipTable> tables = shipTables(shipID);
    if (tables.isEmpty())
        return std::nullopt;
    const auto evenKeel = std::find_if(tables.cbegin(), tables.cend(), [](const ShipTable& table) {
        return !table.declaration.trim || table.declaration.trim->isZero();
    });
    return evenKeel != tables.cend() ? evenKeel->id : tables.first().id;
}

std::optional<ShipTable> Register::surveyTable(qint64 shipID) const {
    const std::optional<qint64> id = surveyTableID(shipID);
    return id ? shipTable(*id) : std::nullopt;
}

qint64 Register::insertShipTable(const ShipTable& table) const {
    QSqlDatabase db = m_connection.database();
    if (!db.transaction())
        throw ProgramError::storeFailure(db.lastError().text());
    try {
        QSqlQuery heading(db), rows(db);
        prepareTableInserts(heading, rows);
        const qint64 id = insertTable(heading, rows, table);
        if (!db.commit())
            throw ProgramError::storeFailure(db.lastError().text());
        return id;
    } catch (const ProgramError&) {
        db.rollback();
        throw;
    }
}

void Register::deleteShipTable(qint64 id) const {
    run(m_connection, QStringLiteral("DELETE FROM HydrostaticTable WHERE TableID = ?"), {id});
}

RegisterFiller::RegisterFiller(const QSqlDatabase& database)
    : m_port(database), m_ship(database), m_table(database), m_row(database) {
    prepareTableInserts(m_table, m_row);
    if (!m_port.prepare(PortInsert) || !m_ship.prepare(ShipInsert))
        throw ProgramError::storeFailure(m_port.lastError().text() + m_ship.lastError().text());
}

qint64 RegisterFiller::insertPort(const PortRecord& port) {
    return insertWith(m_port, {port.name, port.city, port.country});
}

qint64 RegisterFiller::insertShip(const ShipRecord& ship) {
    return insertWith(m_ship, shipValues(ship));
}

qint64 RegisterFiller::insertShipTable(const ShipTable& table) {
    return insertTable(m_table, m_row, table);
}
