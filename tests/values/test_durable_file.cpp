#include "durable_file.h"
#include "full_disk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <unistd.h>

Q_DECLARE_METATYPE(DurableFile::Step)

using namespace std::chrono_literals;

namespace {

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& contents) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(contents), contents.size());
}

// Every name in the folder, hidden ones too.
QStringList namesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

class TestDurableFile : public QObject {
    Q_OBJECT

private slots:
    void failedStepLeavesTheOldFile_data();
    void failedStepLeavesTheOldFile();
    void replacesKeepingPermissionsAndLinks();
    void fullFileSystemLeavesTheOldFile();
    void onlyStaleTemporariesAreRemoved();
    void sameFile_data();
    void sameFile();
};

void TestDurableFile::failedStepLeavesTheOldFile_data() {
    QTest::addColumn<DurableFile::Step>("step");
    QTest::addColumn<bool>("oldFile");
    const std::pair<const char*, DurableFile::Step> steps[] = {
        {"open", DurableFile::Step::Open},
        {"write", DurableFile::Step::Write},
        {"sync", DurableFile::Step::Sync},
        {"close", DurableFile::Step::Close},
        {"rename", DurableFile::Step::Rename}};
    for (const auto& [name, step] : steps) {
        QTest::addRow("%s over a file", name) << step << true;
        QTest::addRow("%s of a new file", name) << step << false;
    }
}

void TestDurableFile::failedStepLeavesTheOldFile() {
    QFETCH(DurableFile::Step, step);
    QFETCH(bool, oldFile);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("survey.json"));
    if (oldFile)
        put(path, "old contents");
    const QStringList before = namesIn(dir.path());

    DurableFile::failNextWriteAt(step, ENOSPC);
    const QString error = DurableFile::write(path, "new contents");
    QCOMPARE(error, path + QStringLiteral(": No space left on device"));
    QCOMPARE(contentsOf(path), oldFile ? QByteArray("old contents") : QByteArray("<missing>"));
    QCOMPARE(namesIn(dir.path()), before);

    // The failure was for one write only.
    QCOMPARE(DurableFile::write(path, "new contents"), QString());
    QCOMPARE(contentsOf(path), QByteArray("new contents"));
    QCOMPARE(namesIn(dir.path()), QStringList{QStringLiteral("survey.json")});
}

void TestDurableFile::replacesKeepingPermissionsAndLinks() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.json"));
    put(path, "old");
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(path, permissions));
    const QString link = dir.filePath(QStringLiteral("link.json"));
    QVERIFY(QFile::link(path, link));

    QCOMPARE(DurableFile::write(link, "new"), QString());
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(contentsOf(path), QByteArray("new"));
    QCOMPARE(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser), permissions);

    const QString error = DurableFile::write(dir.filePath(QStringLiteral("no/such.json")), "x");
    QVERIFY2(error.endsWith(QStringLiteral(": No such file or directory")), qPrintable(error));
}

void TestDurableFile::fullFileSystemLeavesTheOldFile() {
    FullDisk disk;
    if (!disk.mounted())
        QSKIP("a small file system cannot be mounted here");
    const QString path = disk.filePath(QStringLiteral("survey.json"));
    put(path, "old contents");
    QVERIFY(disk.fill());
    const QString error = DurableFile::write(path, "the new contents, one small write");
    QCOMPARE(error, path + QStringLiteral(": No space left on device"));
    QCOMPARE(contentsOf(path), QByteArray("old contents"));
    QCOMPARE(namesIn(QFileInfo(path).path()),
             (QStringList{QStringLiteral("filler"), QStringLiteral("survey.json")}));
}

void TestDurableFile::onlyStaleTemporariesAreRemoved() {
    QTemporaryDir dir;
    const QString stale =
        QStringLiteral(".a.json.1f2e") + QLatin1String(DurableFile::temporarySuffix);
    const QString fresh =
        QStringLiteral(".b.json.3c4d") + QLatin1String(DurableFile::temporarySuffix);
    const QString users = QStringLiteral("notes") + QLatin1String(DurableFile::temporarySuffix);
    for (const QString& name : {stale, fresh, users, QStringLiteral("a.json")}) {
        put(dir.filePath(name), "x");
        if (name != fresh) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-120),
                                     QFileDevice::FileModificationTime));
        }
    }
    QCOMPARE(DurableFile::removeStaleTemporaries(dir.path(), 60s), 1);
    QCOMPARE(namesIn(dir.path()), (QStringList{fresh, QStringLiteral("a.json"), users}));
}

void TestDurableFile::sameFile_data() {
    QTest::addColumn<QString>("other");
    QTest::addColumn<bool>("same");
    QTest::newRow("the same name") << "dir/a.json" << true;
    QTest::newRow("relative") << "dir/../dir/./a.json" << true;
    QTest::newRow("symlink") << "link.json" << true;
    QTest::newRow("hard link") << "hard.json" << true;
    QTest::newRow("another file") << "b.json" << false;
    QTest::newRow("missing") << "none.json" << false;
}

void TestDurableFile::sameFile() {
    QFETCH(QString, other);
    QFETCH(bool, same);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dir")));
    const QString file = dir.filePath(QStringLiteral("dir/a.json"));
    put(file, "a");
    put(dir.filePath(QStringLiteral("b.json")), "a");
    QVERIFY(QFile::link(file, dir.filePath(QStringLiteral("link.json"))));
    QVERIFY(::link(QFile::encodeName(file).constData(),
                   QFile::encodeName(dir.filePath(QStringLiteral("hard.json"))).constData()) == 0);
    QVERIFY(QDir::setCurrent(dir.path()));
    QCOMPARE(DurableFile::sameFile(file, other), same);
    QVERIFY(!DurableFile::sameFile(QStringLiteral("none.json"), QStringLiteral("none.json")));
}

QTEST_GUILESS_MAIN(TestDurableFile)
#include "test_durable_file.moc"
