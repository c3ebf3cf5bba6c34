#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// What differs between the two engines a register can live in: an SQLite
// file or a PostgreSQL server. Every statement elsewhere is the same on both.
struct SqlDialect {
    QString driver;
    // A whole-number key the store assigns, with its constraint.
    QString storeAssignedKey;
    QString wholeType;
    // Exact decimals are kept as text on both engines.
    QString numberType;
    // Run once on every connection opened.
    QStringList sessionStatements;
    // A column that orders a table's rows as they were added, and its
    // definition where the engine does not keep one by itself.
    QString insertionOrder;
    QString insertionOrderColumn;
    // Where a change to the register is announced to every program on it,
    // with the statement that announces the changed table; empty where the
    // engine cannot announce.
    QString changeChannel;
    QString announceChange;
    // Unquoted names fold to lower case in the catalogue.
    bool foldsNamesToLower = false;
    bool isServer = false;

    // `expression` compared and ordered ignoring case, the same way in a
    // query as in the index that serves it.
    QString caseless(const QString& expression) const;
    // The same, ascending with a missing value first as SQLite orders it.
    QString caselessAscending(const QString& expression) const;
    // The same order the other way round.
    QString caselessDescending(const QString& expression) const;
    // Statements that make the next key the store assigns follow the keys
    // copied into `table` with their values.
    QStringList keysFollowCopy(const QString& table, const QString& keyColumn) const;
    // A query whose one value says whether the session may add, change and
    // delete rows of every table in `tables`; empty on SQLite, where the
    // file decides.
    QString mayChangeQuery(const QStringList& tables) const;
    // `name` as a quoted identifier of `database`.
    QString identifier(const QSqlDatabase& database, const QString& name) const;
};

const SqlDialect& sqliteDialect();
const SqlDialect& postgresDialect();
// The dialect of the engine the database was opened with.
const SqlDialect& dialectOf(const QSqlDatabase& database);
