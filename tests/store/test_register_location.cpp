#include "connection.h"
#include "create_database.h"
#include "register_location.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// Which DS.dat the program and calvane-survey work with.
class TestRegisterLocation : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { gcnnStore.reset(); }
    void choosesAndSeedsOnce_data();
    void choosesAndSeedsOnce();
    void aSecondStartKeepsTheUsersChanges();
    void theUsersRegisterOpensAndAMissingSeedIsTold();
};

namespace {

bool write(const QString& file, const QByteArray& content) {
    QDir().mkpath(QFileInfo(file).path());
    QFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(content) == content.size();
}

QByteArray read(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

struct Folders {
    QTemporaryDir root;
    RegisterPlaces places() const {
        return {root.filePath(QStringLiteral("program")),
                root.filePath(QStringLiteral("home/.local/share/calvane")),
                root.filePath(QStringLiteral("usr/share/calvane/DS.dat"))};
    }
};

} // namespace

// clang-format off
void TestRegisterLocation::choosesAndSeedsOnce_data() {
    // Each file is written with this content unless null.
    QTest::addColumn<QByteArray>("beside");
    QTest::addColumn<QByteArray>("own");
    QTest::addColumn<QByteArray>("seed");
    QTest::addColumn<bool>("userFolder");     // false: no user data folder known
    QTest::addColumn<QString>("chosen");      // "beside" or "own"
    QTest::addColumn<QByteArray>("ownAfter"); // the user's file afterwards, null: none
    QTest::addColumn<bool>("problem");
    const QByteArray none;
    QTest::newRow("beside the program wins") << QByteArray("copied folder") << QByteArray("own") << QByteArray("seed") << true << "beside" << QByteArray("own") << false;
    QTest::newRow("beside, no user file is made") << QByteArray("copied folder") << none << QByteArray("seed") << true << "beside" << none << false;
    QTest::newRow("first start: made from the seed") << none << none << QByteArray("seed") << true << "own" << QByteArray("seed") << false;
    QTest::newRow("the user's is never replaced") << none << QByteArray("surveyor's ships") << QByteArray("newer seed") << true << "own" << QByteArray("surveyor's ships") << false;
    QTest::newRow("the user's needs no seed") << none << QByteArray("own") << none << true << "own" << QByteArray("own") << false;
    QTest::newRow("no seed: told, nothing made") << none << none << none << true << "own" << none << true;
    QTest::newRow("no user folder: beside") << none << none << QByteArray("seed") << false << "beside" << none << false;
}
// clang-format on

void TestRegisterLocation::choosesAndSeedsOnce() {
    QFETCH(QByteArray, beside);
    QFETCH(QByteArray, own);
    QFETCH(QByteArray, seed);
    QFETCH(bool, userFolder);
    QFETCH(QString, chosen);
    QFETCH(QByteArray, ownAfter);
    QFETCH(bool, problem);
    Folders folders;
    RegisterPlaces places = folders.places();
    const QString besideFile = databaseFileIn(places.programFolder);
    const QString ownFile = databaseFileIn(places.userFolder);
    QDir().mkpath(places.programFolder);
    if (!beside.isNull())
        QVERIFY(write(besideFile, beside));
    if (!own.isNull())
        QVERIFY(write(ownFile, own));
    if (!seed.isNull())
        QVERIFY(write(places.seedFile, seed));
    if (!userFolder)
        places.userFolder.clear();

    const RegisterChoice choice = chooseRegister(places);

    QCOMPARE(choice.file, chosen == QStringLiteral("beside") ? besideFile : ownFile);
    QCOMPARE(!choice.problem.isEmpty(), problem);
    if (problem)
        QVERIFY2(choice.problem.contains(places.seedFile), qPrintable(choice.problem));
    QCOMPARE(QFileInfo::exists(ownFile), !ownAfter.isNull());
    if (!ownAfter.isNull())
        QCOMPARE(read(ownFile), ownAfter);
    // Neither a half copy nor a change to what was there is left behind.
    QVERIFY(!QFileInfo::exists(ownFile + QStringLiteral(".new")));
    if (!beside.isNull())
        QCOMPARE(read(besideFile), beside);
}

void TestRegisterLocation::aSecondStartKeepsTheUsersChanges() {
    Folders folders;
    const RegisterPlaces places = folders.places();
    QVERIFY(write(places.seedFile, "seed"));
    // Installed, the seed is read-only; the user's copy must still take changes.
    QVERIFY(QFile::setPermissions(places.seedFile,
                                  QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QString first = chooseRegister(places).file;
    QVERIFY(QFileInfo(first).isWritable());
    QVERIFY(write(first, "a ship added"));

    QCOMPARE(chooseRegister(places).file, first);
    QCOMPARE(read(first), QByteArray("a ship added"));
}

void TestRegisterLocation::theUsersRegisterOpensAndAMissingSeedIsTold() {
    Folders folders;
    const RegisterPlaces places = folders.places();
    QDir().mkpath(QFileInfo(places.seedFile).path());

    const OpenOutcome refused = OpenRegister(places);
    QVERIFY(!refused);
    QVERIFY2(refused.failure->text.endsWith(places.seedFile + QStringLiteral(" is missing, so ") +
                                            databaseFileIn(places.userFolder) +
                                            QStringLiteral(" cannot be made.")),
             qPrintable(refused.failure->text));

    createDatabase(places.seedFile);
    QVERIFY(OpenRegister(places));
    QCOMPARE(gcnnStore->connectionText(), databaseFileIn(places.userFolder));
}

QTEST_GUILESS_MAIN(TestRegisterLocation)
#include "test_register_location.moc"
