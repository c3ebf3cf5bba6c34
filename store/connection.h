#pragma once

#include "message.h"
#include "variant.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <memory>
#include <optional>

struct RegisterPlaces;
struct SqlDialect;

// One open database. Every connection turns foreign keys on, so that
// deleting a port deletes the ships registered there.
class Connection {
public:
    // Each connection needs a name unique in the process.
    explicit Connection(const QString& connectionName);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens an existing DS database file, or the register on a PostgreSQL
    // server at a postgresql:// address. Raises ProgramError (store
    // failure) when the file is missing, unreadable, locked, not a database
    // or lacks the program's tables, or the server cannot be reached. Never
    // creates or leaves a file behind.
    void open(const QString& where);

    bool isOpen() const;
    // What a second connection needs to reach the same database.
    QString connectionText() const { return m_where; }
    // The engine's dialect; SQLite's before the connection opened.
    const SqlDialect& dialect() const;
    // Rolls back and closes, ignoring every error (used at shutdown).
    void rollbackAndClose();

    // Runs a statement that returns no rows. Values bind, in order, to the
    // statement's "?" placeholders, so user text never becomes statement
    // text. Raises ProgramError (store failure) on any error.
    void execute(const QString& statement, const QList<Variant>& values = {});

    QSqlDatabase database() const;

private:
    // The connection's database for the dialect's driver, closed.
    QSqlDatabase databaseFor(const SqlDialect& dialect);

    QString m_name;
    QString m_where;
};

// The shared connection, open from start-up until the main window closes.
extern std::unique_ptr<Connection> gcnnStore;
// Set when OpenConnection fails.
extern bool gblnOpenFailed;

// The folder the program runs from; the database lives there.
QString applicationFolder();
// folder + "/DS.dat".
QString databaseFileIn(const QString& folder);

// Whether the shared connection opened; when not, the start-up message for
// the program to show.
struct OpenOutcome {
    std::optional<Message> failure;
    explicit operator bool() const { return !failure; }
};

// Opens gcnnStore on DS.dat in the application folder (or in `folder`). On
// failure sets gblnOpenFailed and gives the start-up message back.
OpenOutcome OpenConnection();
OpenOutcome OpenConnection(const QString& folder);
// Opens gcnnStore on the register chooseRegister picks among `places`
// (making the user's from the seed when needed); fails as OpenConnection.
OpenOutcome OpenRegister(const RegisterPlaces& places);
// Opens gcnnStore on the register at `where`, a file or a postgresql://
// address; fails as OpenConnection.
OpenOutcome OpenRegisterAt(const QString& where);
// Rolls back and closes gcnnStore, ignoring errors.
void CloseConnection();
