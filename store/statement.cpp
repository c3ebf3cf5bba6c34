#include "statement.h"

#include "column_value.h"
#include "errors.h"
#include "jet_dialect.h"

#include <QSqlError>

QSqlQuery runStatement(const QSqlDatabase& database, const QString& statement,
                       const QList<Variant>& values) {
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.prepare(translateJetStatement(statement)))
        throw ProgramError::storeFailure(query.lastError().text());
    for (const Variant& value : values)
        query.addBindValue(boundValue(value));
    if (!query.exec())
        throw ProgramError::storeFailure(query.lastError().text());
    return query;
}
