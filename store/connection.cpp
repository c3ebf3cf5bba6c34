#include "connection.h"

#include "schema.h"
#include "server_address.h"
#include "sql_dialect.h"
#include "statement.h"
#include "store_errors.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace {

// Another program holding the database locked makes the opening fail
// rather than keep the start-up waiting.
const char* const ConnectOptions = "QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=500";

// mode=rw opens an existing file only: SQLite would otherwise create an
// empty database in place of a missing one. A file nobody may write is
// opened read-only even for an administrator the system would let write it.
QString existingFileUri(const QFileInfo& file) {
    const bool writable = file.isWritable() &&
                          (file.permissions() & (QFileDevice::WriteOwner | QFileDevice::WriteGroup |
                                                 QFileDevice::WriteOther));
    return QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded) +
           (writable ? QStringLiteral("?mode=rw") : QStringLiteral("?mode=ro"));
}

// Why SQLite cannot use the file, in words a surveyor can act on.
QString causeOf(const QSqlError& error) {
    const QString code = error.nativeErrorCode();
    const QString text = error.databaseText();
    if (code == QLatin1String("26") || text.contains(QLatin1String("not a database")))
        return QStringLiteral("it is not a database");
    if (code == QLatin1String("5") || code == QLatin1String("6") ||
        text.contains(QLatin1String("locked")))
        return QStringLiteral("it is locked by another program");
    const QLatin1String noTable("no such table: ");
    if (text.startsWith(noTable))
        return QStringLiteral("its table %1 is missing").arg(text.mid(noTable.size()));
    return text.isEmpty() ? error.text() : text;
}

ProgramError openFailure(const QString& where, const QString& cause) {
    if (isServerAddress(where))
        return ProgramError::storeFailure(QStringLiteral("The register at %1 cannot be opened: %2.")
                                              .arg(shownAddress(where), cause));
    return ProgramError::storeFailure(QStringLiteral("The database %1 cannot be opened: %2.")
                                          .arg(QDir::toNativeSeparators(where), cause));
}

} // namespace

Connection::Connection(const QString& connectionName) : m_name(connectionName) {}

Connection::~Connection() {
    if (QSqlDatabase::contains(m_name)) {
        database().close();
        QSqlDatabase::removeDatabase(m_name);
    }
}

QSqlDatabase Connection::databaseFor(const SqlDialect& dialect) {
    if (QSqlDatabase::contains(m_name)) {
        if (database().driverName() == dialect.driver) {
            database().close();
            return database();
        }
        database().close();
        QSqlDatabase::removeDatabase(m_name);
    }
    return QSqlDatabase::addDatabase(dialect.driver, m_name);
}

void Connection::open(const QString& where) {
    m_where.clear();
    QSqlDatabase db;
    if (isServerAddress(where)) {
        db = databaseFor(postgresDialect());
        if (const QString refused = applyServerAddress(where, db); !refused.isEmpty())
            throw openFailure(where, refused);
        if (!db.open())
            throw openFailure(where, QStringLiteral("the server cannot be reached (%1)")
                                         .arg(db.lastError().text().trimmed()));
    } else {
        const QFileInfo file(where);
        if (!file.exists())
            throw openFailure(where, QStringLiteral("it was not found"));
        if (!file.isFile() || !file.isReadable())
            throw openFailure(where, QStringLiteral("it cannot be read"));
        db = databaseFor(sqliteDialect());
        db.setDatabaseName(existingFileUri(file));
        db.setConnectOptions(QString::fromLatin1(ConnectOptions));
        if (!db.open())
            throw openFailure(where, causeOf(db.lastError()));
    }
    const SqlDialect& dialect = dialectOf(db);
    for (const QString& statement : dialect.sessionStatements) {
        QSqlQuery query(db);
        if (!query.exec(statement)) {
            const QString cause = causeOf(query.lastError());
            query.finish();
            db.close();
            throw openFailure(where, cause);
        }
    }
    // A register made before a table was added gains it now; one that
    // cannot take it (read-only) opens without it.
    for (const QString& statement :
         addLaterTableStatements(dialect) + addLaterColumnStatements(db)) {
        QSqlQuery query(db);
        if (!query.exec(statement))
            break;
    }
    // Reading every table proves the file is a database of this program
    // and that no other program holds it locked.
    QStringList checks;
    for (const QString& table : firstTableNames())
        checks << QStringLiteral("SELECT COUNT(*) FROM ") + table;
    for (const QString& check : checks) {
        QSqlQuery query(db);
        if (!query.exec(check)) {
            const QString cause = causeOf(query.lastError());
            query.finish();
            db.close();
            throw openFailure(where, cause);
        }
    }
    // Lists follow what other surveyors change. Subscriptions end with the
    // connection, so every opening subscribes again.
    if (!dialect.changeChannel.isEmpty())
        db.driver()->subscribeToNotification(dialect.changeChannel);
    m_where = where;
}

const SqlDialect& Connection::dialect() const {
    return dialectOf(database());
}

bool Connection::isOpen() const {
    return database().isOpen();
}

void Connection::rollbackAndClose() {
    QSqlDatabase db = database();
    db.rollback();
    db.close();
}

void Connection::execute(const QString& statement, const QList<Variant>& values) {
    if (!isOpen())
        throw objectClosedError();
    runStatement(database(), statement, values);
}

QSqlDatabase Connection::database() const {
    return QSqlDatabase::database(m_name, false);
}
