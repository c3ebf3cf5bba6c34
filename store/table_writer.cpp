#include "table_writer.h"

#include "column_value.h"
#include "errors.h"
#include "sql_dialect.h"
#include "statement.h"

TableWriter::TableWriter(const QSqlDatabase& database, const QString& table,
                         const QStringList& columns, int keyIndex)
    : m_database(database), m_table(table), m_columns(columns), m_keyIndex(keyIndex) {}

Variant TableWriter::insert(const QList<Variant>& row) const {
    QStringList names;
    QStringList placeholders;
    QList<Variant> values;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (i == m_keyIndex)
            continue;
        names.append(identifier(m_columns[i]));
        placeholders.append(QStringLiteral("?"));
        values.append(row[i]);
    }
    QSqlQuery query =
        runStatement(m_database,
                     QStringLiteral("INSERT INTO ") + identifier(m_table) + QStringLiteral(" (") +
                         names.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                         placeholders.join(QStringLiteral(", ")) + QStringLiteral(") RETURNING ") +
                         identifier(m_columns[m_keyIndex]),
                     values);
    return storedValue(m_columns[m_keyIndex], insertedKey(query));
}

void TableWriter::update(const QList<Variant>& original, const QList<Variant>& changed) const {
    QStringList assignments;
    QList<Variant> values;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (i == m_keyIndex || original[i] == changed[i])
            continue;
        assignments.append(identifier(m_columns[i]) + QStringLiteral(" = ?"));
        values.append(changed[i]);
    }
    if (assignments.isEmpty())
        return;
    values.append(original[m_keyIndex]);
    const QSqlQuery query =
        runStatement(m_database,
                     QStringLiteral("UPDATE ") + identifier(m_table) + QStringLiteral(" SET ") +
                         assignments.join(QStringLiteral(", ")) + QStringLiteral(" WHERE ") +
                         identifier(m_columns[m_keyIndex]) + QStringLiteral(" = ?"),
                     values);
    requireOneRowAffected(query.numRowsAffected());
}

void TableWriter::remove(const QList<Variant>& row) const {
    const QSqlQuery query = runStatement(
        m_database,
        QStringLiteral("DELETE FROM ") + identifier(m_table) + QStringLiteral(" WHERE ") +
            identifier(m_columns[m_keyIndex]) + QStringLiteral(" = ?"),
        {row[m_keyIndex]});
    requireOneRowAffected(query.numRowsAffected());
}

QString TableWriter::identifier(const QString& name) const {
    return dialectOf(m_database).identifier(m_database, name);
}

// Another connection may have deleted the row since the row set read it.
void TableWriter::requireOneRowAffected(int affected) const {
    if (affected != 1)
        throw ProgramError::storeFailure(
            QStringLiteral("The row to change is no longer in the table ") + m_table +
            QLatin1Char('.'));
}
