#include "connection.h"

#include "schema.h"
#include "statement.h"
#include "store_errors.h"

#include <QFileInfo>
#include <QSqlError>
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
    if (!file.isFile() || !file.isReadable())
        throw ProgramError::storeFailure(QStringLiteral("Could not find or read the file '") +
                                         databaseFile + QStringLiteral("'."));
    QSqlDatabase db = database();
    db.close();
    db.setDatabaseName(existingFileUri(file));
    db.setConnectOptions(QString::fromLatin1(ConnectOptions));
    if (!db.open())
        throw ProgramError::storeFailure(db.lastError().text());
    try {
        // Reading every table proves the file is a database of this program
        // and that no other program holds it locked.
        for (const QString& table : storeTableNames())
            runStatement(db, QStringLiteral("SELECT COUNT(*) FROM ") + table);
        runStatement(db, QStringLiteral("PRAGMA foreign_keys = ON"));
    } catch (const ProgramError&) {
        db.close();
        throw;
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
