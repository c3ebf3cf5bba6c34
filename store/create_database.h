#pragma once

#include "shipped_data.h"

#include <QSqlDatabase>
#include <QString>
#include <functional>

// What a new register holds besides its tables.
using RegisterFill = std::function<void(const QSqlDatabase&)>;

// Creates a new register with the program's tables and what `fill` adds
// (the shipped data unless told otherwise): a database file, or an empty
// database on a PostgreSQL server (a postgresql:// address). Raises
// ProgramError (store failure) when the file exists, the server's database
// holds tables or either cannot be made; a failed attempt leaves no file
// and no table behind.
void createDatabase(const QString& where, const RegisterFill& fill = insertShippedData);

// Why a new database may not take the place of `file` (it exists and
// `replace` is not set), or the empty text.
QString refusalForNewDatabase(const QString& file, bool replace);
