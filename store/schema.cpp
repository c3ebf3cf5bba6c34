#include "schema.h"

#include "sql_dialect.h"

#include <QHash>
#include <QSqlRecord>
#include <array>

namespace {

ColumnDefinition whole(const char* name, const char* constraint = "") {
    return {QString::fromLatin1(name), ColumnKind::Whole, QString::fromLatin1(constraint)};
}

ColumnDefinition number(const char* name) {
    return {QString::fromLatin1(name), ColumnKind::Number, QString()};
}

ColumnDefinition text(const char* name) {
    return {QString::fromLatin1(name), ColumnKind::Text, QString()};
}

// Who changed a port or a ship last, and when; the version each save checks
// and counts up, so that a save over another surveyor's change is refused.
// Null where a row set wrote the row: it counts as 0.
QList<ColumnDefinition> changeColumns() {
    return {{QStringLiteral("RowVersion"), ColumnKind::Whole, QStringLiteral("DEFAULT 0"), true},
            {QStringLiteral("ChangedBy"), ColumnKind::Text, QString(), true},
            {QStringLiteral("ChangedAt"), ColumnKind::Text, QString(), true}};
}

const char* const StoreAssignedKey = "PRIMARY KEY AUTOINCREMENT";

QString declaredType(ColumnKind kind, const SqlDialect& dialect) {
    switch (kind) {
    case ColumnKind::Whole:
        return dialect.wholeType;
    case ColumnKind::Number:
        return dialect.numberType;
    case ColumnKind::Text:
        break;
    }
    return QStringLiteral("TEXT");
}

// "column TYPE constraint".
QString columnDefinition(const ColumnDefinition& column, const SqlDialect& dialect) {
    QString line = column.name + QLatin1Char(' ') + declaredType(column.kind, dialect);
    if (!column.constraint.isEmpty())
        line += QLatin1Char(' ') + column.constraint;
    return line;
}

// "Name (column TYPE constraint, ...)".
QString createdTable(const TableDefinition& table, const SqlDialect& dialect) {
    QStringList columns;
    for (const ColumnDefinition& column : table.columns) {
        if (column.constraint == QLatin1String(StoreAssignedKey)) {
            columns.append(column.name + QLatin1Char(' ') + dialect.storeAssignedKey);
            continue;
        }
        columns.append(columnDefinition(column, dialect));
    }
    if (table.keepsAddedOrder && !dialect.insertionOrderColumn.isEmpty())
        columns.append(dialect.insertionOrderColumn);
    return table.name + QStringLiteral(" (") + columns.join(QStringLiteral(", ")) +
           QLatin1Char(')');
}

} // namespace

const QList<TableDefinition>& storeTables() {
    static const QList<TableDefinition> tables = {
        {QStringLiteral("Port"),
         QList<ColumnDefinition>{whole("PortID", StoreAssignedKey), text("PortName"), text("City"),
                                 text("Country")} +
             changeColumns()},
        {QStringLiteral("Ship"),
         QList<ColumnDefinition>{
             whole("ShipID", StoreAssignedKey), text("ShipName"), number("LBP"), number("LOA"),
             number("Breadth"), number("LightShip"), text("CallSign"),
             whole("PortOfRegistry", "REFERENCES Port(PortID) ON DELETE CASCADE"),
             number("OfficialNo"), number("IMONo"), text("Flag"), number("GrossTonnage"),
             number("NetTonnage"), number("SummerDraft"), number("SummerDeadweight"),
             number("FwdX"), number("MidX"), number("AftX")} +
             changeColumns()},
        {QStringLiteral("TipOfDay"), {text("Tip")}},
        {QStringLiteral("DeductionMaster"), {whole("ItemID", "PRIMARY KEY"), text("ItemName")}},
        {QStringLiteral("DeductionTrans"),
         {whole("DraftID"), whole("ItemID", "REFERENCES DeductionMaster(ItemID)"),
          number("Quantity")}},
        {QStringLiteral("DraftDetails"),
         {whole("DraftID", StoreAssignedKey), whole("RecordID"), whole("DraftType"),
          text("DateTime")}},
        {QStringLiteral("HydrostaticTable"),
         {whole("TableID", StoreAssignedKey),
          whole("TableShipID", "NOT NULL REFERENCES Ship(ShipID) ON DELETE CASCADE"),
          number("TableDensity"), text("LcfOrigin"), text("LcfPositive"), text("TableSource"),
          number("TableTrim")},
         true},
        {QStringLiteral("HydrostaticRow"),
         {whole("RowTableID", "NOT NULL REFERENCES HydrostaticTable(TableID) ON DELETE CASCADE"),
          number("RowDraft"), number("RowDisplacement"), number("RowTPC"), number("RowLCF"),
          number("RowMCTC"), number("RowKM"), number("RowLCB")},
         true,
         true},
        {QStringLiteral("ConstantHistory"),
         {whole("HistoryID", StoreAssignedKey),
          whole("HistoryShipID", "NOT NULL REFERENCES Ship(ShipID) ON DELETE CASCADE"),
          text("HistoryDate"), text("HistoryPort"), number("HistoryConstant"),
          text("HistorySurveyFile")},
         true},
    };
    return tables;
}

QStringList firstTableNames() {
    QStringList names;
    for (const TableDefinition& table : storeTables()) {
        if (!table.addedLater)
            names.append(table.name);
    }
    return names;
}

QStringList tableColumns(const QString& table) {
    for (const TableDefinition& definition : storeTables()) {
        if (definition.name != table)
            continue;
        QStringList names;
        for (const ColumnDefinition& column : definition.columns)
            names.append(column.name);
        return names;
    }
    return {};
}

QString storeAssignedKey(const QString& table) {
    for (const TableDefinition& definition : storeTables()) {
        if (definition.name != table)
            continue;
        for (const ColumnDefinition& column : definition.columns) {
            if (column.constraint == QLatin1String(StoreAssignedKey))
                return column.name;
        }
    }
    return QString();
}

QString columnSpelling(const QString& column) {
    static const QHash<QString, QString> spellings = [] {
        QHash<QString, QString> byLowerCase;
        for (const TableDefinition& table : storeTables()) {
            for (const ColumnDefinition& definition : table.columns)
                byLowerCase.insert(definition.name.toLower(), definition.name);
        }
        return byLowerCase;
    }();
    return spellings.value(column.toLower(), column);
}

ColumnKind columnKind(const QString& column) {
    // Looked up for every value read or written: index the names once.
    // Keyed both as the tables spell the names and in lower case.
    static const QHash<QString, ColumnKind> kinds = [] {
        QHash<QString, ColumnKind> byName;
        for (const TableDefinition& table : storeTables()) {
            for (const ColumnDefinition& definition : table.columns) {
                byName.insert(definition.name, definition.kind);
                byName.insert(definition.name.toLower(), definition.kind);
            }
        }
        return byName;
    }();
    const auto exact = kinds.constFind(column);
    if (exact != kinds.cend())
        return *exact;
    return kinds.value(column.toLower(), ColumnKind::Text);
}

QStringList createTableStatements(const SqlDialect& dialect) {
    QStringList statements;
    for (const TableDefinition& table : storeTables())
        statements.append(QStringLiteral("CREATE TABLE ") + createdTable(table, dialect));
    return statements;
}

QStringList addLaterTableStatements(const SqlDialect& dialect) {
    QStringList statements;
    for (const TableDefinition& table : storeTables()) {
        if (table.addedLater)
            statements.append(QStringLiteral("CREATE TABLE IF NOT EXISTS ") +
                              createdTable(table, dialect));
    }
    return statements + QStringList{QStringLiteral("CREATE INDEX IF NOT EXISTS TablesOfShip ON "
                                                   "HydrostaticTable (TableShipID)"),
                                    QStringLiteral("CREATE INDEX IF NOT EXISTS RowsOfTable ON "
                                                   "HydrostaticRow (RowTableID, RowDraft)"),
                                    QStringLiteral("CREATE INDEX IF NOT EXISTS ConstantsOfShip ON "
                                                   "ConstantHistory (HistoryShipID)")};
}

QStringList addLaterColumnStatements(const QSqlDatabase& database) {
    const SqlDialect& dialect = dialectOf(database);
    QStringList statements;
    for (const TableDefinition& table : storeTables()) {
        const QSqlRecord present =
            database.record(dialect.foldsNamesToLower ? table.name.toLower() : table.name);
        // A table that is not there yet is made whole.
        if (present.isEmpty())
            continue;
        for (const ColumnDefinition& column : table.columns) {
            if (column.addedLater && !present.contains(column.name))
                statements.append(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                                      .arg(table.name, columnDefinition(column, dialect)));
        }
        // Numbered in the order the rows lie, which is the order they were
        // read in until now.
        if (table.keepsAddedOrder && !dialect.insertionOrderColumn.isEmpty() &&
            !present.contains(dialect.insertionOrder))
            statements.append(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                                  .arg(table.name, dialect.insertionOrderColumn));
    }
    return statements;
}

QStringList createIndexStatements(const SqlDialect& dialect) {
    QStringList statements;
    for (const auto& [table, name, key] : {std::array<const char*, 3>{"Ship", "ShipName", "ShipID"},
                                           {"Port", "PortName", "PortID"}}) {
        const QString index = QString::fromLatin1(table) + QStringLiteral("ByName");
        const QString columns = QStringLiteral(" ON %1 (%2, %3)")
                                    .arg(QString::fromLatin1(table),
                                         dialect.caselessAscending(QString::fromLatin1(name)),
                                         QString::fromLatin1(key));
        if (!dialect.isServer) {
            statements.append(QStringLiteral("CREATE INDEX IF NOT EXISTS ") + index + columns);
            continue;
        }
        // A server finds a row's position by walking the index; carrying the
        // name lets it walk the index alone. Registers made before it have
        // the index without the name.
        statements.append(QStringLiteral("CREATE INDEX IF NOT EXISTS ") + index +
                          QStringLiteral("Walk") + columns + QStringLiteral(" INCLUDE (") +
                          QString::fromLatin1(name) + QLatin1Char(')'));
        statements.append(QStringLiteral("DROP INDEX IF EXISTS ") + index);
    }
    return statements;
}
