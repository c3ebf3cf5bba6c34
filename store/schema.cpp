#include "schema.h"

#include <QHash>

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

const char* const StoreAssignedKey = "PRIMARY KEY AUTOINCREMENT";

// The declared type must give SQLite's TEXT affinity: a NUMERIC or DECIMAL
// type would turn "7.50" into a binary floating-point number.
QString declaredType(ColumnKind kind) {
    switch (kind) {
    case ColumnKind::Whole:
        return QStringLiteral("INTEGER");
    case ColumnKind::Number:
        return QStringLiteral("DECIMAL_TEXT");
    case ColumnKind::Text:
        break;
    }
    return QStringLiteral("TEXT");
}

// "Name (column TYPE constraint, ...)".
QString createdTable(const TableDefinition& table) {
    QStringList columns;
    for (const ColumnDefinition& column : table.columns) {
        QString line = column.name + QLatin1Char(' ') + declaredType(column.kind);
        if (!column.constraint.isEmpty())
            line += QLatin1Char(' ') + column.constraint;
        columns.append(line);
    }
    return table.name + QStringLiteral(" (") + columns.join(QStringLiteral(", ")) +
           QLatin1Char(')');
}

} // namespace

const QList<TableDefinition>& storeTables() {
    static const QList<TableDefinition> tables = {
        {QStringLiteral("Port"),
         {whole("PortID", StoreAssignedKey), text("PortName"), text("City"), text("Country")}},
        {QStringLiteral("Ship"),
         {whole("ShipID", StoreAssignedKey), text("ShipName"), number("LBP"), number("LOA"),
          number("Breadth"), number("LightShip"), text("CallSign"),
          whole("PortOfRegistry", "REFERENCES Port(PortID) ON DELETE CASCADE"),
          number("OfficialNo"), number("IMONo"), text("Flag"), number("GrossTonnage"),
          number("NetTonnage"), number("SummerDraft"), number("SummerDeadweight"), number("FwdX"),
          number("MidX"), number("AftX")}},
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

QStringList createTableStatements() {
    QStringList statements;
    for (const TableDefinition& table : storeTables())
        statements.append(QStringLiteral("CREATE TABLE ") + createdTable(table));
    return statements;
}

QStringList addLaterTableStatements() {
    QStringList statements;
    for (const TableDefinition& table : storeTables()) {
        if (table.addedLater)
            statements.append(QStringLiteral("CREATE TABLE IF NOT EXISTS ") + createdTable(table));
    }
    return statements + QStringList{QStringLiteral("CREATE INDEX IF NOT EXISTS TablesOfShip ON "
                                                   "HydrostaticTable (TableShipID)"),
                                    QStringLiteral("CREATE INDEX IF NOT EXISTS RowsOfTable ON "
                                                   "HydrostaticRow (RowTableID, RowDraft)"),
                                    QStringLiteral("CREATE INDEX IF NOT EXISTS ConstantsOfShip ON "
                                                   "ConstantHistory (HistoryShipID)")};
}

QStringList createIndexStatements() {
    return {QStringLiteral("CREATE INDEX IF NOT EXISTS ShipByName ON Ship "
                           "(ShipName COLLATE NOCASE, ShipID)"),
            QStringLiteral("CREATE INDEX IF NOT EXISTS PortByName ON Port "
                           "(PortName COLLATE NOCASE, PortID)")};
}
