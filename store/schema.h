#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

struct SqlDialect;

// How a column's values are held: whole numbers (keys and counts), exact
// decimal numbers kept as text so that no binary rounding touches them, or
// text.
enum class ColumnKind { Whole, Number, Text };

struct ColumnDefinition {
    QString name;
    ColumnKind kind;
    // Key and relation clauses after the type, if any.
    QString constraint;
    // Added to a table after the first registers were made: a register
    // without it gains it when opened, and opens without it where it
    // cannot. An older program ignores it.
    bool addedLater = false;
};

struct TableDefinition {
    QString name;
    QList<ColumnDefinition> columns;
    // Added after the first registers were made: a register without it
    // gains it when opened, and opens without it where it cannot.
    bool addedLater = false;
    // Its rows are read in the order they were added.
    bool keepsAddedOrder = false;
};

// The tables the program keeps.
const QList<TableDefinition>& storeTables();
// The tables every register has had from the first.
QStringList firstTableNames();
// A table's column names in their order; empty for a table the store does
// not hold.
QStringList tableColumns(const QString& table);

// The key column the store assigns in `table`; empty when it has none.
QString storeAssignedKey(const QString& table);

// A column's name as the tables spell it (a server gives them in lower
// case); a name the tables do not hold as it is.
QString columnSpelling(const QString& column);

// The kind of a column of any of the tables; columns the tables do not hold
// (computed ones such as a date list's) are text.
ColumnKind columnKind(const QString& column);

// CREATE TABLE statements for a new database.
QStringList createTableStatements(const SqlDialect& dialect);
// The same for the tables added later, with their indexes, made only
// where they are missing.
QStringList addLaterTableStatements(const SqlDialect& dialect);

// ALTER TABLE statements for the columns added later that `database`
// lacks.
QStringList addLaterColumnStatements(const QSqlDatabase& database);

// The indexes the ship and port lists read in their order (names ignoring
// case, then keys). Safe to run again: a database made before they existed
// gains them when first read.
QStringList createIndexStatements(const SqlDialect& dialect);
