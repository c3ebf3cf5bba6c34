#pragma once

#include <QString>

// Rewrites the Jet functions and operators the program's statements use for
// SQLite: Mid$(x, a, b) becomes substr(x, a, b), Left$(x, n) becomes
// substr(x, 1, n) and & joins text as ||. Quoted literals are left alone.
QString translateJetStatement(const QString& statement);
