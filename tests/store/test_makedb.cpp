#include "connection.h"
#include "full_disk.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The seed tool is run as the build runs it.
class TestMakeDb : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void createsOnlyWhatIsMissing_data();
    void createsOnlyWhatIsMissing();
    void replaceKeepsTheOldFileUntilTheNewIsWhole_data();
    void replaceKeepsTheOldFileUntilTheNewIsWhole();
};

void TestMakeDb::cleanup() {
    gcnnStore.reset();
}

// clang-format off
void TestMakeDb::createsOnlyWhatIsMissing_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("existing");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("new file") << QStringList() << false << 0;
    QTest::newRow("refuses to overwrite") << QStringList() << true << 1;
    QTest::newRow("if missing, existing kept") << QStringList{QStringLiteral("--if-missing")} << true << 0;
}
// clang-format on

void TestMakeDb::createsOnlyWhatIsMissing() {
    QFETCH(QStringList, options);
    QFETCH(bool, existing);
    QFETCH(int, exitCode);
    QTemporaryDir temporary;
    // Blanks and URI characters in the path must reach the file unchanged.
    const QString folder = temporary.filePath(QStringLiteral("Calvane Lt #2?%20"));
    QVERIFY(QDir().mkpath(folder));
    const QString file = databaseFileIn(folder);
    const QByteArray userData("the surveyor's own data");
    if (existing) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(userData) == userData.size());
    }

    QCOMPARE(QProcess::execute(QString::fromLocal8Bit(CALVANE_MAKEDB), options << file), exitCode);

    // A new database opens; an existing file keeps the user's data.
    QCOMPARE(bool(OpenConnection(folder)), !existing);
    if (existing) {
        QFile in(file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QCOMPARE(in.readAll(), userData);
    }
}

void TestMakeDb::replaceKeepsTheOldFileUntilTheNewIsWhole_data() {
    QTest::addColumn<bool>("fullDisk");
    QTest::newRow("replaced") << false;
    QTest::newRow("a full file system") << true;
}

void TestMakeDb::replaceKeepsTheOldFileUntilTheNewIsWhole() {
    QFETCH(bool, fullDisk);
    const FullDisk disk;
    if (fullDisk && !disk.mounted())
        QSKIP("a small file system cannot be mounted here");
    const QTemporaryDir temporary;
    const QString folder =
        fullDisk ? QFileInfo(disk.filePath(QStringLiteral("x"))).path() : temporary.path();
    const QString file = databaseFileIn(folder);
    const QByteArray userData("the surveyor's own data");
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(userData) == userData.size());
    out.close();
    if (fullDisk)
        QVERIFY(disk.fill());

    QCOMPARE(QProcess::execute(QString::fromLocal8Bit(CALVANE_MAKEDB),
                               {QStringLiteral("--replace"), file}),
             fullDisk ? 1 : 0);
    QCOMPARE(bool(OpenConnection(folder)), !fullDisk);
    if (fullDisk) {
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(out.readAll(), userData);
    }
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("DS.dat")),
             QStringList{QStringLiteral("DS.dat")});
}

QTEST_GUILESS_MAIN(TestMakeDb)
#include "test_makedb.moc"
