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
    };
    return tables;
}

QStringList storeTableNames() {
    QStringList names;
    for (const TableDefinition& table : storeTables())
        names.append(table.name);
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
    for (const TableDefinition& table : storeTables()) {
        QStringList columns;
        for (const ColumnDefinition& column : table.columns) {
            QString line = column.name + QLatin1Char(' ') + declaredType(column.kind);
            if (!column.constraint.isEmpty())
                line += QLatin1Char(' ') + column.constraint;
            columns.append(line);
        }
        statements.append(QStringLiteral("CREATE TABLE ") + table.name + QStringLiteral(" (") +
                          columns.join(QStringLiteral(", ")) + QLatin1Char(')'));
    }
    return statements;
}

QStringList createIndexStatements() {
    return {QStringLiteral("CREATE INDEX IF NOT EXISTS ShipByName ON Ship "
                           "(ShipName COLLATE NOCASE, ShipID)"),
            QStringLiteral("CREATE INDEX IF NOT EXISTS PortByName ON Port "
                           "(PortName COLLATE NOCASE, PortID)")};
}
