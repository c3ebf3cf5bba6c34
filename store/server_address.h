#pragma once

#include <QSqlDatabase>
#include <QString>

// A register on a PostgreSQL server, written as libpq writes it:
// postgresql://user@host:port/dbname?sslmode=require. The password is never
// part of it: libpq reads it from ~/.pgpass or PGPASSWORD.
bool isServerAddress(const QString& where);

// Sets `database` (a QPSQL one) to connect to `address`; returns why it
// cannot (a password written in it, no database name), or the empty text.
QString applyServerAddress(const QString& address, QSqlDatabase& database);

// `address` fit to show: any password in it left out.
QString shownAddress(const QString& address);
