#include "connection.h"
#include "create_database.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

class TestOpenConnection : public QObject {
    Q_OBJECT

private slots:
    void failureShowsTheMessageOnce_data();
    void failureShowsTheMessageOnce();
};

// clang-format off
void TestOpenConnection::failureShowsTheMessageOnce_data() {
    QTest::addColumn<QByteArray>("content"); // written to the file unless null
    // When given, a new database is made and another connection, left open, runs this.
    QTest::addColumn<QString>("otherStatement");
    QTest::addColumn<QString>("cause"); // the message's last line, after the file
    QTest::newRow("missing file") << QByteArray() << QString() << "it was not found";
    QTest::newRow("text file") << QByteArray("Port Hedland, Australia\n") << QString() << "it is not a database";
    QTest::newRow("empty file") << QByteArray("") << QString() << "its table Port is missing";
    QTest::newRow("database lacking one table") << QByteArray() << QStringLiteral("DROP TABLE DraftDetails") << "its table DraftDetails is missing";
    QTest::newRow("locked by another connection") << QByteArray() << QStringLiteral("BEGIN EXCLUSIVE") << "it is locked by another program";
}
// clang-format on

void TestOpenConnection::failureShowsTheMessageOnce() {
    QFETCH(QByteArray, content);
    QFETCH(QString, otherStatement);
    QFETCH(QString, cause);
    QTemporaryDir folder;
    const QString file = databaseFileIn(folder.path());
    if (!content.isNull()) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(content) == content.size());
    }
    {
        QSqlDatabase other =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(file);
        if (!otherStatement.isEmpty()) {
            createDatabase(file);
            QVERIFY(other.open() && QSqlQuery(other).exec(otherStatement));
        }
        const QStringList filesBefore = QDir(folder.path()).entryList(QDir::Files);
        gblnOpenFailed = false;

        const OpenOutcome opened = OpenConnection(folder.path());
        QVERIFY(!opened);
        const Message expected{MessageIcon::Critical, QStringLiteral("Calvane Lt"),
                               QStringLiteral("An internal error has occured.\r\n\r\nPlease "
                                              "contact us with the error no. mentioned on the "
                                              "titlebar of this dialog box\r\n\r\nThe "
                                              "database ") +
                                   QDir::toNativeSeparators(file) +
                                   QStringLiteral(" cannot be opened: ") + cause + u'.',
                               MessageButtons::Ok, MessageAnswer::Ok};
        QCOMPARE(opened.failure->text, expected.text);
        QVERIFY(*opened.failure == expected);
        // The program shows it, not the store.
        QVERIFY(gblnOpenFailed);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), filesBefore);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
}

QTEST_GUILESS_MAIN(TestOpenConnection)
#include "test_open_connection.moc"
