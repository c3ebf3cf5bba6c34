#include "server_address.h"

#include <QUrl>
#include <QUrlQuery>

bool isServerAddress(const QString& where) {
    return where.startsWith(QLatin1String("postgresql://")) ||
           where.startsWith(QLatin1String("postgres://"));
}

QString applyServerAddress(const QString& address, QSqlDatabase& database) {
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid())
        return QStringLiteral("it is not a valid address (%1)").arg(url.errorString());
    // The settings and the command line are read by anyone who can list
    // processes or files: a password there is refused, not used.
    const QUrlQuery query(url);
    if (!url.password().isEmpty() || query.hasQueryItem(QStringLiteral("password")))
        return QStringLiteral("it holds a password; put the password in ~/.pgpass or "
                              "PGPASSWORD instead");
    const QString name = url.path().mid(1);
    if (name.isEmpty() || name.contains(u'/'))
        return QStringLiteral("it names no database");
    database.setDatabaseName(name);
    database.setHostName(url.host());
    database.setUserName(url.userName());
    if (url.port() > 0)
        database.setPort(url.port());
    // The rest (sslmode, a socket folder given as host=...) goes to libpq
    // as it is.
    // A server that does not answer is said within seconds, not minutes.
    QStringList options{QStringLiteral("connect_timeout=5")};
    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key == QLatin1String("host"))
            database.setHostName(value);
        else if (key == QLatin1String("port"))
            database.setPort(value.toInt());
        else
            options.append(key + QLatin1Char('=') + value);
    }
    database.setConnectOptions(options.join(QLatin1Char(';')));
    return QString();
}

QString shownAddress(const QString& address) {
    QUrl url(address);
    url.setPassword(QString());
    QUrlQuery query(url);
    query.removeAllQueryItems(QStringLiteral("password"));
    url.setQuery(query);
    return url.toString();
}
