#pragma once

#include "variant.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

// Prepares a statement (Jet texts translated), binds the values to its "?"
// placeholders in order and runs it. Raises ProgramError (store failure)
// with the database's description on any error.
QSqlQuery runStatement(const QSqlDatabase& database, const QString& statement,
                       const QList<Variant>& values = {});

// The key an INSERT ... RETURNING statement gave its new row; both engines
// give it this way. Raises ProgramError (store failure) when there is none.
QVariant insertedKey(QSqlQuery& insert);
