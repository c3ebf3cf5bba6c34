#include "connection.h"

#include "schema.h"
#include "statement.h"
#include "store_errors.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace {

// Another program holding the database locked makes the opening fail
// rather than keep the start-up waiting.
const char* const ConnectOptions = "QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=500";

// mode=rw opens an existing file only: SQLite would otherwise create an
// empty database in place of a missing one.
QString existingFileUri(const QFileInfo& file) {
    return QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded) +
           QStringLiteral("?mode=rw");
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

ProgramError openFailure(const QString& databaseFile, const QString& cause) {
    return ProgramError::storeFailure(QStringLiteral("The database %1 cannot be opened: %2.")
                                          .arg(QDir::toNativeSeparators(databaseFile), cause));
}

} // namespace

Connection::Connection(const QString& connectionName) : m_name(connectionName) {
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
}

Connection::~Connection() {
    database().close();
    QSqlDatabase::removeDatabase(m_name);
}

void Connection::open(const QString& databaseFile) {
    const QFileInfo file(databaseFile);
    if (!file.exists())
        throw openFailure(databaseFile, QStringLiteral("it was not found"));
    if (!file.isFile() || !file.isReadable())
        throw openFailure(databaseFile, QStringLiteral("it cannot be read"));
    QSqlDatabase db = database();
    db.close();
    db.setDatabaseName(existingFileUri(file));
    db.setConnectOptions(QString::fromLatin1(ConnectOptions));
    if (!db.open())
        throw openFailure(databaseFile, causeOf(db.lastError()));
    // A register made before a table was added gains it now; one that
    // cannot take it (read-only) opens without it.
    for (const QString& statement : addLaterTableStatements()) {
        QSqlQuery query(db);
        if (!query.exec(statement))
            break;
    }
    // Reading every table proves the file is a database of this program
    // and that no other program holds it locked.
    QStringList checks;
    for (const QString& table : firstTableNames())
        checks << QStringLiteral("SELECT COUNT(*) FROM ") + table;
    checks << QStringLiteral("PRAGMA foreign_keys = ON");
    for (const QString& check : checks) {
        QSqlQuery query(db);
        if (!query.exec(check)) {
            const QString cause = causeOf(query.lastError());
            query.finish();
            db.close();
            throw openFailure(databaseFile, cause);
        }
    }
    m_databaseFile = databaseFile;
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
