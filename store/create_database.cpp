#include "create_database.h"

#include "errors.h"
#include "schema.h"
#include "shipped_data.h"
#include "statement.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>

namespace {

const char* const CreationConnection = "calvane-create-database";

void fill(const QString& file) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                QString::fromLatin1(CreationConnection));
    db.setDatabaseName(file);
    if (!db.open())
        throw ProgramError::storeFailure(db.lastError().text());
    // One transaction, so that the file is either complete or rolled back.
    db.transaction();
    for (const QString& statement :
         createTableStatements() + createIndexStatements() + addLaterTableStatements())
        runStatement(db, statement);
    insertShippedData(db);
    if (!db.commit())
        throw ProgramError::storeFailure(db.lastError().text());
    db.close();
}

} // namespace

void createDatabase(const QString& file) {
    if (QFile::exists(file))
        throw ProgramError::storeFailure(QStringLiteral("The file '") + file +
                                         QStringLiteral("' already exists."));
    try {
        fill(file);
    } catch (const ProgramError&) {
        QSqlDatabase::removeDatabase(QString::fromLatin1(CreationConnection));
        QFile::remove(file);
        throw;
    }
    QSqlDatabase::removeDatabase(QString::fromLatin1(CreationConnection));
}

QString refusalForNewDatabase(const QString& file, bool replace) {
    if (QFile::exists(file) && !replace)
        return file + QStringLiteral(" exists; use --replace to overwrite it.");
    return QString();
}
