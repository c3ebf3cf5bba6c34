#include "register.h"
#include "register_access.h"
#include "store_fixture.h"

#include <QFile>
#include <QTest>

// Whether the register may be changed, asked before the windows offer to
// change it, and whether a failure was the connection lost (a stopped
// server is tested under the windows, in test_reconnect_register).
class TestRegisterAccess : public QObject {
    Q_OBJECT

private slots:
    void mayChange_data();
    void mayChange();
    void aFailedStatementIsNotALostConnection_data();
    void aFailedStatementIsNotALostConnection();
};

// clang-format off
void TestRegisterAccess::mayChange_data() {
    QTest::addColumn<bool>("onServer");
    // File: its permissions; server: the role's privileges ("" for the owner).
    QTest::addColumn<QString>("rights");
    QTest::addColumn<bool>("mayChange");
    QTest::newRow("file") << false << "rw" << true;
    QTest::newRow("file nobody may write") << false << "r" << false;
    QTest::newRow("server, owner") << true << "" << true;
    QTest::newRow("server, reading only") << true << "SELECT" << false;
    QTest::newRow("server, no deleting") << true << "SELECT, INSERT, UPDATE" << false;
    QTest::newRow("server, every row right") << true << "SELECT, INSERT, UPDATE, DELETE" << true;
}
// clang-format on

void TestRegisterAccess::mayChange() {
    QFETCH(bool, onServer);
    QFETCH(QString, rights);
    QFETCH(bool, mayChange);
    QTemporaryDir folder;
    QString where;
    if (onServer) {
        PrivatePostgres& server = PrivatePostgres::instance();
        if (!server.problem().isEmpty())
            QSKIP(qPrintable(server.problem()));
        const QString database = server.newDatabase();
        createDatabase(server.address(database));
        QString user = QStringLiteral("calvane");
        if (!rights.isEmpty()) {
            static int roles = 0;
            user = QStringLiteral("surveyor_%1").arg(++roles);
            QCOMPARE(
                server.administer(QStringLiteral("CREATE ROLE ") + user + QStringLiteral(" LOGIN")),
                QString());
            QCOMPARE(
                server.administer(QStringLiteral("GRANT %1 ON ALL TABLES IN SCHEMA public TO %2")
                                      .arg(rights, user),
                                  database),
                QString());
        }
        where = server.address(database, user);
    } else {
        where = databaseFileIn(folder.path());
        createDatabase(where);
        if (rights == QLatin1String("r"))
            QVERIFY(QFile::setPermissions(where,
                                          QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }
    Connection connection(QStringLiteral("access"));
    connection.open(where);
    QCOMPARE(registerMayChange(connection), mayChange);
    // Asking leaves no change begun, and the answer is what a save meets.
    QVERIFY(connection.database().transaction());
    QVERIFY(connection.database().rollback());
    const Register store(connection);
    const bool changed =
        errorOf([&] { store.insertPort({}); }) == 0 && errorOf([&] { store.deleteShip(0); }) == 0;
    QCOMPARE(changed, mayChange);
}

void TestRegisterAccess::aFailedStatementIsNotALostConnection_data() {
    QTest::addColumn<bool>("onServer");
    QTest::newRow("file") << false;
    QTest::newRow("server") << true;
}

void TestRegisterAccess::aFailedStatementIsNotALostConnection() {
    QFETCH(bool, onServer);
    QTemporaryDir folder;
    QString where = databaseFileIn(folder.path());
    if (onServer) {
        PrivatePostgres& server = PrivatePostgres::instance();
        if (!server.problem().isEmpty())
            QSKIP(qPrintable(server.problem()));
        where = server.address(server.newDatabase());
    }
    createDatabase(where);
    Connection connection(QStringLiteral("refused"));
    connection.open(where);
    QCOMPARE(errorOf([&] { connection.execute(QStringLiteral("SELECT * FROM Nothing")); }),
             int(ErrorCode::StoreFailure));
    QVERIFY(!registerWasLost(connection));
    connection.rollbackAndClose();
    QVERIFY(registerWasLost(connection));
}

QTEST_MAIN(TestRegisterAccess)
#include "test_register_access.moc"
