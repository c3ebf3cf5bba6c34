#pragma once

#include <QStringList>
#include <QTextStream>

// calvane-survey tables: imports a ship's hydrostatic table into the
// register after its audit, lists a ship's tables, exports one as CSV.
// `arguments` start with "tables". 0 done; 1 the table was refused or the
// ship or table is unknown; 2 a bad command line or an unreadable file.
int runTablesCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);
