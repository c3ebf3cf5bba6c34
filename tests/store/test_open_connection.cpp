#include "connection.h"
#include "create_database.h"
#include "message_service.h"
#include "store_fixture.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

enum class Setup { Missing, TextFile, EmptyFile, OtherDatabase, TableMissing, Locked, Unreadable };

// Another connection holding the database in an exclusive transaction.
class ExclusiveLock {
public:
    explicit ExclusiveLock(const QString& file) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name());
        db.setDatabaseName(file);
        m_held = db.open() && QSqlQuery(db).exec(QStringLiteral("BEGIN EXCLUSIVE"));
    }
    ~ExclusiveLock() {
        QSqlDatabase::database(name(), false).close();
        QSqlDatabase::removeDatabase(name());
    }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;
    bool held() const { return m_held; }

private:
    static QString name() { return QStringLiteral("locker"); }
    bool m_held = false;
};

// Runs one statement on the file over a connection of its own.
void runOnFile(const QString& file, const QString& statement) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("setup"));
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(statement));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("setup"));
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
    void cleanup();
    void failureShowsTheMessageOnce_data();
    void failureShowsTheMessageOnce();
    void opensTheShippedDatabase();
    void closingLeavesTheConnectionClosed();
};

void TestOpenConnection::cleanup() {
    gcnnStore.reset();
    gblnOpenFailed = false;
}

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
    switch (setup) {
    case Setup::Missing:
        break;
    case Setup::TextFile:
        writeFile(file, "Port Hedland, Australia\n");
        break;
    case Setup::EmptyFile:
        writeFile(file, QByteArray());
        break;
    case Setup::OtherDatabase:
        runOnFile(file, QStringLiteral("CREATE TABLE Cargo (Name TEXT)"));
        break;
    case Setup::TableMissing:
        createDatabase(file);
        runOnFile(file, QStringLiteral("DROP TABLE DraftDetails"));
        break;
    case Setup::Locked:
    case Setup::Unreadable:
        createDatabase(file);
        break;
    }
    if (setup == Setup::Unreadable) {
        QFile::setPermissions(file, QFileDevice::Permissions());
        if (QFile(file).open(QIODevice::ReadOnly))
            QSKIP("Running with rights that read any file");
    }
    std::optional<ExclusiveLock> lock;
    if (setup == Setup::Locked) {
        lock.emplace(file);
        QVERIFY(lock->held());
    }
    const QStringList filesBefore = QDir(folder.path()).entryList(QDir::Files);

    ScopedMessageRecorder recorder;
    QVERIFY(!OpenConnection(folder.path()));

    const Message expected{MessageIcon::Critical, QStringLiteral("Calvane Lt"),
                           QStringLiteral("An internal error has occured.\r\n\r\nPlease contact us "
                                          "with the error no. mentioned on the titlebar of this "
                                          "dialog box"),
                           MessageButtons::Ok, MessageAnswer::Ok};
    QCOMPARE(recorder.shown().size(), 1);
    QVERIFY(recorder.shown().constFirst() == expected);
    QVERIFY(gblnOpenFailed);
    QVERIFY(!gcnnStore);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), filesBefore);
}

void TestOpenConnection::opensTheShippedDatabase() {
    QTemporaryDir folder;
    createDatabase(databaseFileIn(folder.path()));
    ScopedMessageRecorder recorder;
    QVERIFY(OpenConnection(folder.path()));
    QVERIFY(gcnnStore && gcnnStore->isOpen());
    QCOMPARE(gcnnStore->connectionText(), databaseFileIn(folder.path()));
    QVERIFY(recorder.shown().isEmpty());
    QVERIFY(!gblnOpenFailed);
}

void TestOpenConnection::closingLeavesTheConnectionClosed() {
    QTemporaryDir folder;
    createDatabase(databaseFileIn(folder.path()));
    QVERIFY(OpenConnection(folder.path()));
    CloseConnection();
    QVERIFY(!gcnnStore->isOpen());
    QCOMPARE(errorOf([] { gcnnStore->execute(QStringLiteral("DELETE FROM TipOfDay")); }),
             int(ErrorCode::StoreFailure));
}

QTEST_GUILESS_MAIN(TestOpenConnection)
#include "test_open_connection.moc"
