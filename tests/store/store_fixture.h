#pragma once

#include "connection.h"
#include "create_database.h"
#include "errors.h"
#include "private_postgres.h"
#include "statement.h"
#include "variant.h"

#include <QSqlDatabase>
#include <QStringList>
#include <QTemporaryDir>

// The store tests run once on SQLite and once, with CALVANE_TEST_ENGINE set
// to postgresql, on a private PostgreSQL server.
inline bool testsRunOnServer() {
    return qgetenv("CALVANE_TEST_ENGINE") == "postgresql";
}

// A new register with the shipped data (in a temporary folder, or a new
// database of the private server), open as the shared connection for the
// life of the fixture.
struct StoreFixture {
    QTemporaryDir folder;
    // Where the register is: a file or an address.
    QString where;
    StoreFixture() {
        if (testsRunOnServer()) {
            PrivatePostgres& server = PrivatePostgres::instance();
            if (!server.problem().isEmpty())
                throw ProgramError::storeFailure(server.problem());
            where = server.address(server.newDatabase());
        } else {
            where = databaseFileIn(folder.path());
        }
        createDatabase(where);
        gcnnStore = std::make_unique<Connection>(QStringLiteral("gcnnStore"));
        gcnnStore->open(where);
    }
    ~StoreFixture() { gcnnStore.reset(); }
};

// A register made as a program before this one made it: `file` created
// whole, then changed by `statements` (dropping what came later).
inline void makeOlderRegister(const QString& file, const QStringList& statements) {
    createDatabase(file);
    {
        QSqlDatabase older =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("older"));
        older.setDatabaseName(file);
        if (!older.open())
            qFatal("cannot open %s", qPrintable(file));
        for (const QString& statement : statements)
            runStatement(older, statement);
        older.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("older"));
}

// The number of an error raised by `action`, or 0 when it raises none.
template <typename Action> int errorOf(Action action) {
    try {
        action();
    } catch (const ProgramError& error) {
        return int(error.code());
    }
    return 0;
}

inline Variant decimal(const char* text) {
    return Variant(Decimal::fromText(QString::fromLatin1(text)));
}
