#pragma once

#include <QString>

// Creates a new database file with the program's tables and shipped data.
// Raises ProgramError (store failure) when the file exists or cannot be
// made; a failed attempt leaves no file behind.
void createDatabase(const QString& file);

// Makes room for a new database at `file`: an existing file is removed only
// when `replace` is set. Returns why there is no room, or the empty text.
QString clearForNewDatabase(const QString& file, bool replace);
