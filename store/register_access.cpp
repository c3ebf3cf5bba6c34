#include "register_access.h"

#include "connection.h"
#include "sql_dialect.h"
#include "statement.h"
#include "store_errors.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

const QStringList ChangedTables = {QStringLiteral("Port"), QStringLiteral("Ship"),
                                   QStringLiteral("HydrostaticTable"),
                                   QStringLiteral("HydrostaticRow")};

// SQLITE_READONLY, or one of its extended codes.
bool readOnlyRefusal(const QSqlError& error) {
    return (error.nativeErrorCode().toInt() & 0xff) == 8;
}

// A write that matches no row is refused on a read-only file or connection
// and changes nothing; a file another program holds locked is not
// read-only.
bool fileMayChange(const QSqlDatabase& database) {
    QSqlQuery probe(database);
    if (probe.exec(QStringLiteral("UPDATE Port SET PortID = PortID WHERE 0")))
        return true;
    return !readOnlyRefusal(probe.lastError());
}

// libpq's own errors (no server to say anything) carry no SQLSTATE; class
// 08 is a connection failure and 57P0x the server shutting down.
bool connectionFailure(const QSqlError& error) {
    const QString state = error.nativeErrorCode();
    return state.isEmpty() || state.startsWith(QLatin1String("08")) ||
           state.startsWith(QLatin1String("57P0"));
}

} // namespace

bool registerMayChange(Connection& connection) {
    if (!connection.isOpen())
        throw objectClosedError();
    const QString query = connection.dialect().mayChangeQuery(ChangedTables);
    if (query.isEmpty())
        return fileMayChange(connection.database());
    QSqlQuery answer = runStatement(connection.database(), query);
    return answer.next() && answer.value(0).toBool();
}

bool registerWasLost(Connection& connection) {
    if (!connection.isOpen())
        return true;
    if (!connection.dialect().isServer)
        return false;
    QSqlQuery probe(connection.database());
    return !probe.exec(QStringLiteral("SELECT 1")) && connectionFailure(probe.lastError());
}
