#include "connection.h"
#include "create_database.h"
#include "message_service.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

enum class Setup { Missing, TextFile, EmptyFile, OtherDatabase, TableMissing, Locked, Unreadable };

const QString OtherConnection = QStringLiteral("other");

// A second connection to the file, as another program would hold it.
QSqlQuery otherConnection(const QString& file) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), OtherConnection);
    db.setDatabaseName(file);
    db.open();
    return QSqlQuery(db);
}

void writeFile(const QString& file, const QByteArray& content) {
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(content);
}

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestOpenConnection : public QObject {
    Q_OBJECT

private slots:
    void failureShowsTheMessageOnce_data();
    void failureShowsTheMessageOnce();
};

void TestOpenConnection::failureShowsTheMessageOnce_data() {
    QTest::addColumn<Setup>("setup");
    QTest::newRow("missing file") << Setup::Missing;
    QTest::newRow("text file") << Setup::TextFile;
    QTest::newRow("empty file") << Setup::EmptyFile;
    QTest::newRow("another program's database") << Setup::OtherDatabase;
    QTest::newRow("database lacking one table") << Setup::TableMissing;
    QTest::newRow("locked by another connection") << Setup::Locked;
    QTest::newRow("unreadable file") << Setup::Unreadable;
}

void TestOpenConnection::failureShowsTheMessageOnce() {
    QFETCH(Setup, setup);
    QTemporaryDir folder;
    const QString file = databaseFileIn(folder.path());
    if (setup == Setup::TextFile)
        writeFile(file, "Port Hedland, Australia\n");
    else if (setup == Setup::EmptyFile)
        writeFile(file, QByteArray());
    else if (setup != Setup::Missing && setup != Setup::OtherDatabase)
        createDatabase(file);
    {
        QSqlQuery other;
        if (setup == Setup::OtherDatabase || setup == Setup::TableMissing || setup == Setup::Locked)
            other = otherConnection(file);
        if (setup == Setup::OtherDatabase)
            QVERIFY(other.exec(QStringLiteral("CREATE TABLE Cargo (Name TEXT)")));
        if (setup == Setup::TableMissing)
            QVERIFY(other.exec(QStringLiteral("DROP TABLE DraftDetails")));
        if (setup == Setup::Locked)
            QVERIFY(other.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        if (setup == Setup::Unreadable) {
            QFile::setPermissions(file, QFileDevice::Permissions());
            if (QFile(file).open(QIODevice::ReadOnly))
                QSKIP("Running with rights that read any file");
        }
        const QStringList filesBefore = QDir(folder.path()).entryList(QDir::Files);
        gblnOpenFailed = false;

        ScopedMessageRecorder recorder;
        QVERIFY(!OpenConnection(folder.path()));
        const Message expected{MessageIcon::Critical, QStringLiteral("Calvane Lt"),
                               QStringLiteral("An internal error has occured.\r\n\r\nPlease "
                                              "contact us with the error no. mentioned on the "
                                              "titlebar of this dialog box"),
                               MessageButtons::Ok, MessageAnswer::Ok};
        QVERIFY(recorder.shown() == QList<Message>{expected});
        QVERIFY(gblnOpenFailed);
        QVERIFY(!gcnnStore);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), filesBefore);
    }
    QSqlDatabase::removeDatabase(OtherConnection);
}

QTEST_GUILESS_MAIN(TestOpenConnection)
#include "test_open_connection.moc"
