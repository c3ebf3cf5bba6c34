#include "create_database.h"

#include "errors.h"
#include "schema.h"
#include "server_address.h"
#include "shipped_data.h"
#include "sql_dialect.h"
#include "statement.h"

#include <QFile>
#include <QSqlError>

namespace {

const char* const CreationConnection = "calvane-create-database";

// A connection on a file that does not exist yet, or on an empty database
// of a server: a register is never made over another.
QSqlDatabase openEmpty(const QString& where) {
    const QString name = QString::fromLatin1(CreationConnection);
    if (!isServerAddress(where)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(sqliteDialect().driver, name);
        db.setDatabaseName(where);
        if (!db.open())
            throw ProgramError::storeFailure(db.lastError().text());
        return db;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(postgresDialect().driver, name);
    if (const QString refused = applyServerAddress(where, db); !refused.isEmpty())
        throw ProgramError::storeFailure(
            QStringLiteral("%1 cannot be used: %2.").arg(shownAddress(where), refused));
    if (!db.open())
        throw ProgramError::storeFailure(
            QStringLiteral("The server at %1 cannot be reached: %2")
                .arg(shownAddress(where), db.lastError().text().trimmed()));
    if (!db.tables().isEmpty())
        throw ProgramError::storeFailure(
            QStringLiteral("The database at %1 already holds tables; a register is made only "
                           "in an empty one.")
                .arg(where));
    return db;
}

void make(const QString& where, const RegisterFill& fill) {
    QSqlDatabase db = openEmpty(where);
    const SqlDialect& dialect = dialectOf(db);
    // One transaction, so that the register is either complete or rolled
    // back (a server's tables too).
    if (!db.transaction())
        throw ProgramError::storeFailure(db.lastError().text());
    try {
        for (const QString& statement : dialect.sessionStatements + createTableStatements(dialect) +
                                            createIndexStatements(dialect) +
                                            addLaterTableStatements(dialect))
            runStatement(db, statement);
        fill(db);
        if (!db.commit())
            throw ProgramError::storeFailure(db.lastError().text());
    } catch (const ProgramError&) {
        db.rollback();
        throw;
    }
    db.close();
}

} // namespace

void createDatabase(const QString& where, const RegisterFill& fill) {
    const bool isFile = !isServerAddress(where);
    if (isFile && QFile::exists(where))
        throw ProgramError::storeFailure(QStringLiteral("The file '") + where +
                                         QStringLiteral("' already exists."));
    try {
        make(where, fill);
    } catch (const ProgramError&) {
        QSqlDatabase::removeDatabase(QString::fromLatin1(CreationConnection));
        if (isFile)
            QFile::remove(where);
        throw;
    }
    QSqlDatabase::removeDatabase(QString::fromLatin1(CreationConnection));
}

QString refusalForNewDatabase(const QString& file, bool replace) {
    if (QFile::exists(file) && !replace)
        return file + QStringLiteral(" exists; use --replace to overwrite it.");
    return QString();
}
