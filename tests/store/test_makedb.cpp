#include "connection.h"

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
};

void TestMakeDb::cleanup() {
    gcnnStore.reset();
}

void TestMakeDb::createsOnlyWhatIsMissing_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("existing");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("database");
    QTest::newRow("new file") << QStringList() << false << 0 << true;
    QTest::newRow("refuses to overwrite") << QStringList() << true << 1 << false;
    QTest::newRow("if missing, existing kept")
        << QStringList{QStringLiteral("--if-missing")} << true << 0 << false;
    QTest::newRow("if missing, missing made")
        << QStringList{QStringLiteral("--if-missing")} << false << 0 << true;
    QTest::newRow("replace") << QStringList{QStringLiteral("--replace")} << true << 0 << true;
}

void TestMakeDb::createsOnlyWhatIsMissing() {
    QFETCH(QStringList, options);
    QFETCH(bool, existing);
    QFETCH(int, exitCode);
    QFETCH(bool, database);
    QTemporaryDir temporary;
    // Blanks and URI characters in the path must reach the file unchanged.
    const QString folder = temporary.filePath(QStringLiteral("Calvane Lt #2?%20"));
    QVERIFY(QDir().mkpath(folder));
    const QString file = databaseFileIn(folder);
    const QByteArray userData("the surveyor's own data");
    if (existing) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(userData);
    }

    QProcess tool;
    tool.start(QString::fromLocal8Bit(CALVANE_MAKEDB), options << file);
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.exitCode(), exitCode);

    QCOMPARE(OpenConnection(folder), database);
    if (!database) {
        QFile in(file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QCOMPARE(in.readAll(), userData);
    }
}

QTEST_GUILESS_MAIN(TestMakeDb)
#include "test_makedb.moc"
