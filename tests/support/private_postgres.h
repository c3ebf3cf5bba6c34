#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <unistd.h>

// A throw-away PostgreSQL server for the tests: its own cluster in a
// temporary folder, reached only through a socket in that folder (so no
// port can clash with another server), stopped and removed at the end.
// Run as the postgres user when the tests run as root: the server refuses
// root.
class PrivatePostgres {
public:
    // The server of this test process, started on first use.
    static PrivatePostgres& instance() {
        static PrivatePostgres server;
        return server;
    }

    // Why the server cannot run here; empty when it runs.
    const QString& problem() const { return m_problem; }

    // The address of `database` for `user`.
    QString address(const QString& database,
                    const QString& user = QStringLiteral("calvane")) const {
        return QStringLiteral("postgresql://%1@localhost:%2/%3?host=%4")
            .arg(user)
            .arg(Port)
            .arg(database, m_folder.path());
    }

    // A new empty database; its name.
    QString newDatabase() {
        const QString name = QStringLiteral("register_%1").arg(++m_databases);
        administer(QStringLiteral("CREATE DATABASE ") + name);
        return name;
    }

    // Runs a statement as the superuser on `database`; the error text, or empty.
    QString administer(const QString& statement,
                       const QString& database = QStringLiteral("postgres")) {
        QString error;
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("admin"));
            db.setHostName(m_folder.path());
            db.setPort(Port);
            db.setUserName(QStringLiteral("calvane"));
            db.setDatabaseName(database);
            if (!db.open())
                error = db.lastError().text();
            else if (QSqlQuery query(db); !query.exec(statement))
                error = query.lastError().text();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("admin"));
        return error;
    }

    // Stops and starts the server, as an office server going away and coming back.
    bool stop() {
        return run(m_pgctl, {QStringLiteral("stop"), QStringLiteral("-m"), QStringLiteral("fast"),
                             QStringLiteral("-D"), data()});
    }
    bool start() {
        return run(m_pgctl, {QStringLiteral("start"), QStringLiteral("-w"), QStringLiteral("-D"),
                             data(), QStringLiteral("-l"), m_folder.filePath(QStringLiteral("log")),
                             QStringLiteral("-o"),
                             QStringLiteral("-c listen_addresses='' -k %1 -p %2 -c fsync=off")
                                 .arg(m_folder.path())
                                 .arg(Port)});
    }

private:
    static constexpr int Port = 5432;

    PrivatePostgres() {
        const QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql"))
                                         .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        const QString bin =
            versions.isEmpty() ? QString()
                               : QStringLiteral("/usr/lib/postgresql/%1/bin/").arg(versions.last());
        m_pgctl = bin + QStringLiteral("pg_ctl");
        if (bin.isEmpty() || !QFile::exists(m_pgctl)) {
            m_problem =
                QStringLiteral("PostgreSQL is not installed (no /usr/lib/postgresql/*/bin)");
            return;
        }
        if (geteuid() == 0) {
            if (QProcess::execute(QStringLiteral("chown"),
                                  {QStringLiteral("postgres"), m_folder.path()}) != 0) {
                m_problem = QStringLiteral("the postgres user cannot own %1").arg(m_folder.path());
                return;
            }
        }
        if (!run(bin + QStringLiteral("initdb"),
                 {QStringLiteral("-D"), data(), QStringLiteral("-U"), QStringLiteral("calvane"),
                  QStringLiteral("--auth=trust"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                  QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--no-sync")}) ||
            !start()) {
            m_problem = QStringLiteral("the private server did not start; see %1")
                            .arg(m_folder.filePath(QStringLiteral("log")));
            m_folder.setAutoRemove(false);
            return;
        }
        m_running = true;
        // Stopped while the application still exists: QProcess needs it.
        qAddPostRoutine([] { instance().shutDown(); });
        watchForACrash(bin);
    }

    // A test that crashes never stops its server: a watcher outside the
    // test stops it and removes its folder once the test has gone.
    void watchForACrash(const QString& bin) {
        const QString asOwner =
            geteuid() == 0 ? QStringLiteral("runuser -u postgres -- ") : QString();
        const QString script =
            QStringLiteral("while kill -0 %1 2>/dev/null; do sleep 1; done; "
                           "%2'%3pg_ctl' stop -m immediate -D '%4' >/dev/null 2>&1; rm -rf '%5'")
                .arg(QCoreApplication::applicationPid())
                .arg(asOwner, bin, data(), m_folder.path());
        QProcess::startDetached(QStringLiteral("sh"), {QStringLiteral("-c"), script});
    }

    void shutDown() {
        if (m_running)
            run(m_pgctl, {QStringLiteral("stop"), QStringLiteral("-m"), QStringLiteral("immediate"),
                          QStringLiteral("-D"), data()});
        m_running = false;
    }

    QString data() const { return m_folder.filePath(QStringLiteral("data")); }

    // Runs a server program, as the postgres user when this is root.
    bool run(const QString& program, const QStringList& arguments) const {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.setStandardOutputFile(QProcess::nullDevice());
        if (geteuid() == 0)
            process.start(QStringLiteral("runuser"),
                          QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                      QStringLiteral("--"), program} +
                              arguments);
        else
            process.start(program, arguments);
        return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

    QTemporaryDir m_folder;
    QString m_pgctl;
    QString m_problem;
    bool m_running = false;
    int m_databases = 0;
};
