#include "statement.h"

#include "column_value.h"
#include "errors.h"
#include "jet_dialect.h"

#include <QSqlError>

QSqlQuery runStatement(const QSqlDatabase& database, const QString& statement,
                       const QList<Variant>& values) {
    QSqlQuery query(database);
    query.setForwardOnly(true);
    // PostgreSQL prepares no table definitions; a statement without values
    // has nothing to bind anyway.
    if (values.isEmpty()) {
        if (!query.exec(translateJetStatement(statement)))
            throw ProgramError::storeFailure(query.lastError().text());
        return query;
    }
    if (!query.prepare(translateJetStatement(statement)))
        throw ProgramError::storeFailure(query.lastError().text());
    for (const Variant& value : values)
        query.addBindValue(boundValue(value));
    if (!query.exec())
        throw ProgramError::storeFailure(query.lastError().text());
    return query;
}

QVariant insertedKey(QSqlQuery& insert) {
    const QVariant key = insert.next() ? insert.value(0) : QVariant();
    // SQLite writes the row on the first step; ending the statement here
    // keeps it from holding the file until the query is destroyed.
    insert.finish();
    if (!key.isValid() || key.isNull())
        throw ProgramError::storeFailure(QStringLiteral("The store gave the new row no key."));
    return key;
}
