#pragma once

#include <QString>

// Creates a new database file with the program's tables and shipped data.
// Raises ProgramError (store failure) when the file exists or cannot be
// made; a failed attempt leaves no file behind.
void createDatabase(const QString& file);

// Why a new database may not take the place of `file` (it exists and
// `replace` is not set), or the empty text.
QString refusalForNewDatabase(const QString& file, bool replace);
