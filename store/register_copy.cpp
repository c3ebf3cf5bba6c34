#include "register_copy.h"

#include "column_value.h"
#include "connection.h"
#include "create_database.h"
#include "errors.h"
#include "schema.h"
#include "sql_dialect.h"
#include "statement.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

qint64 rowCount(const QSqlDatabase& database, const QString& table) {
    QSqlQuery count = runStatement(database, QStringLiteral("SELECT COUNT(*) FROM ") + table);
    return count.next() ? count.value(0).toLongLong() : -1;
}

// Values pass through their column's kind, so that a decimal keeps its
// exact text and a key stays a whole number whatever the engines hand over.
void copyTable(const QSqlDatabase& source, const QSqlDatabase& target,
               const TableDefinition& definition) {
    const QString& table = definition.name;
    const QStringList columns = tableColumns(table);
    const QString names = columns.join(QStringLiteral(", "));
    QStringList placeholders;
    for (qsizetype i = 0; i < columns.size(); ++i)
        placeholders.append(QStringLiteral("?"));
    QSqlQuery insert(target);
    if (!insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(table, names, placeholders.join(QStringLiteral(", ")))))
        throw ProgramError::storeFailure(insert.lastError().text());
    // Rows kept in the order they were added are copied in that order.
    const QString order = definition.keepsAddedOrder
                              ? QStringLiteral(" ORDER BY ") + dialectOf(source).insertionOrder
                              : QString();
    QSqlQuery rows =
        runStatement(source, QStringLiteral("SELECT %1 FROM %2").arg(names, table) + order);
    while (rows.next()) {
        for (int i = 0; i < columns.size(); ++i)
            insert.bindValue(i, boundValue(storedValue(columns.at(i), rows.value(i))));
        if (!insert.exec())
            throw ProgramError::storeFailure(table + QStringLiteral(": ") +
                                             insert.lastError().text());
    }
    if (rows.lastError().isValid())
        throw ProgramError::storeFailure(rows.lastError().text());
    if (const QString key = storeAssignedKey(table); !key.isEmpty()) {
        for (const QString& statement : dialectOf(target).keysFollowCopy(table, key))
            runStatement(target, statement);
    }
}

} // namespace

QList<TableCount> copyRegister(const QString& from, const QString& to) {
    Connection source(QStringLiteral("calvane-copy-source"));
    source.open(from);
    QList<TableCount> counts;
    // Parents before children: the tables are listed so.
    createDatabase(to, [&](const QSqlDatabase& target) {
        for (const TableDefinition& table : storeTables()) {
            copyTable(source.database(), target, table);
            const qint64 read = rowCount(source.database(), table.name);
            const qint64 written = rowCount(target, table.name);
            if (read != written)
                throw ProgramError::storeFailure(
                    QStringLiteral("%1: %2 rows read but %3 written; nothing was copied.")
                        .arg(table.name)
                        .arg(read)
                        .arg(written));
            counts.append({table.name, written});
        }
    });
    return counts;
}
