#pragma once

#include "child_window.h"
#include "command_names.h"
#include "connection.h"
#include "create_database.h"
#include "message_service.h"
#include "statement.h"
#include "text_list.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

// The main window as a master window sees it: the commands and the status
// texts it was sent.
class RecordingHost : public ChildHost {
public:
    void enabledCommandsChanged(Commands enabled) override { mask = commandNames(enabled); }
    void setStatusMessage(const QString& text) override { status = text; }

    QString mask;
    QString status;
};

// A database of the test's own with the shipped data, open as the shared
// connection; messages recorded.
struct MastersFixture {
    QTemporaryDir folder;
    ScopedMessageRecorder messages;
    RecordingHost host;

    MastersFixture() {
        createDatabase(databaseFileIn(folder.path()));
        OpenConnection(folder.path());
    }
    ~MastersFixture() { gcnnStore.reset(); }

    // The first column of the first row of a query, as text.
    static QString value(const char* statement, const QList<Variant>& values = {}) {
        QSqlQuery query = runStatement(gcnnStore->database(), QString::fromUtf8(statement), values);
        return query.next() ? query.value(0).toString() : QString();
    }
    static int count(const char* statement, const QList<Variant>& values = {}) {
        return value(statement, values).toInt();
    }
    static qint64 addPort(const QString& name) {
        return runStatement(gcnnStore->database(),
                            QStringLiteral("INSERT INTO Port (PortName) VALUES (?)"), {name})
            .lastInsertId()
            .toLongLong();
    }
    static qint64 addShip(const QString& name, qint64 portId, const QString& callSign) {
        return runStatement(gcnnStore->database(),
                            QStringLiteral("INSERT INTO Ship (ShipName, PortOfRegistry, CallSign, "
                                           "LBP, LOA, Breadth, LightShip) "
                                           "VALUES (?, ?, ?, '100', '105', '20', '3000')"),
                            {name, portId, callSign})
            .lastInsertId()
            .toLongLong();
    }
    // A trigger that refuses the statement with `reason`, as a constraint
    // or another program's lock would.
    static void refuse(const char* operation, const char* table) {
        gcnnStore->execute(QStringLiteral("CREATE TRIGGER refused BEFORE %1 ON %2 BEGIN "
                                          "SELECT RAISE(ABORT, 'refused by the store'); END")
                               .arg(QString::fromLatin1(operation), QString::fromLatin1(table)));
    }
};

// Shows a window and gives it the keyboard, as the user finds it.
inline bool showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

inline QString focusName() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}
