#include "connection.h"
#include "create_database.h"
#include "json_edit.h"
#include "survey_command.h"
#include "text_list.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString samplePath(const char* name) {
    return QStringLiteral(SAMPLES_DIR "/") + QString::fromLatin1(name);
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Run {
    int status;
    QString out;
    QString err;
};

Run run(const QStringList& arguments) {
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int status = runSurveyCommand(arguments, outStream, errStream);
    outStream.flush();
    errStream.flush();
    return {status, out, err};
}

// The loading sample with one field changed, as a file of its own.
QString changedSample(const QTemporaryDir& dir, const QString& path, const QJsonValue& value) {
    const QJsonObject sample =
        QJsonDocument::fromJson(fileBytes(samplePath("loading-survey.json"))).object();
    const QString file = dir.filePath(QStringLiteral("changed.json"));
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    out.write(QJsonDocument(edited(sample, path.split(u'.'), value)).toJson());
    return file;
}

} // namespace

class TestSurveyCommand : public QObject {
    Q_OBJECT

private slots:
    void computesTheSamples_data();
    void computesTheSamples();
    void jsonKeepsFullPrecision();
    void warnsAndStillComputes();
    void refuses_data();
    void refuses();
    void readsTheShipFromTheDatabase();

private:
    QTemporaryDir m_dir;
};

// clang-format off
void TestSurveyCommand::computesTheSamples_data() {
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("expected");
    // Every figure of these printouts was worked out independently of the
    // program before it was written down.
    QTest::newRow("loading") << "loading-survey.json" << "loading-survey.txt";
    QTest::newRow("discharging") << "discharging-survey.json" << "discharging-survey.txt";
}
// clang-format on

void TestSurveyCommand::computesTheSamples() {
    QFETCH(QString, sample);
    QFETCH(QString, expected);
    const Run result = run({QStringLiteral("compute"), samplePath(sample.toLatin1().constData())});
    QCOMPARE(result.err, QString());
    QCOMPARE(result.status, 0);
    const QString wanted =
        QString::fromUtf8(fileBytes(QStringLiteral(EXPECTED_DIR "/") + expected));
    QCOMPARE(result.out.split(u'\n'), wanted.split(u'\n'));
}

void TestSurveyCommand::jsonKeepsFullPrecision() {
    const Run result = run(
        {QStringLiteral("compute"), QStringLiteral("--json"), samplePath("loading-survey.json")});
    QCOMPARE(result.status, 0);
    const QJsonObject root = QJsonDocument::fromJson(result.out.toUtf8()).object();
    const QJsonObject initial = root.value(QStringLiteral("initial")).toObject();
    QCOMPARE(initial.value(QStringLiteral("trueMeanDraft")).toString(),
             QStringLiteral("5.9953768426058012363290537328"));
    QCOMPARE(initial.value(QStringLiteral("finalResult"))
                 .toObject()
                 .value(QStringLiteral("First Trim Correction"))
                 .toString(),
             QStringLiteral("-159.59209402649639912749418415"));
    QCOMPARE(root.value(QStringLiteral("results"))
                 .toObject()
                 .value(QStringLiteral("Total Cargo Loaded"))
                 .toString(),
             QStringLiteral("76126.85586"));
}

void TestSurveyCommand::warnsAndStillComputes() {
    // A light ship above the ballast displacement gives a negative constant.
    const QString file =
        changedSample(m_dir, QStringLiteral("ship.particulars.lightShip"), QStringLiteral("11500"));
    const Run result = run({QStringLiteral("compute"), file});
    QCOMPARE(result.status, 0);
    QVERIFY(result.out.contains(
        QStringLiteral("warning: Invalid constant value. Please check your input values.")));
    QVERIFY(result.out.contains(QStringLiteral("  Constant                       -437.4953\n")));
}

// clang-format off
void TestSurveyCommand::refuses_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("reason");

    QTest::newRow("number instead of text") << "initial.density" << "#1" << 2 << "initial.density: a measured value must be a string of decimal text, not a JSON number";
    QTest::newRow("incomplete draft") << "voyage" << "" << 1 << "initial: Incomplete data. Please enter Voyage-ID.";
    QTest::newRow("same draft twice") << "final.hydrostatics.above.draft" << "14.03" << 1 << "final: Invalid hydrostatic details...! Difference of Above & Below can't be zero.";
    QTest::newRow("unknown deductible item") << "final.deductions.31" << "5" << 1 << "final: deductible item 31 is not in the database";
    QTest::newRow("zero length between marks") << "initial.markDistances.fwd" << "-212.8" << 1 << "initial: Invalid draft mark distances. The length between the draft marks (LBP + Fwd X - Aft X) can't be 0.";
}
// clang-format on

void TestSurveyCommand::refuses() {
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(int, status);
    QFETCH(QString, reason);
    const QJsonValue json =
        value.startsWith(u'#') ? QJsonValue(value.mid(1).toInt()) : QJsonValue(value);
    const QString file = changedSample(m_dir, field, json);
    const Run result = run({QStringLiteral("compute"), file});
    QCOMPARE(result.status, status);
    QCOMPARE(result.out, QString());
    QVERIFY2(result.err.endsWith(reason + u'\n'), qPrintable(result.err));
    QCOMPARE(result.err.count(u'\n'), 1);
}

void TestSurveyCommand::readsTheShipFromTheDatabase() {
    QTemporaryDir dir;
    const QString database = databaseFileIn(dir.path());
    createDatabase(database);
    QJsonObject byKey{{QStringLiteral("shipId"), 1}};
    const QString file = changedSample(dir, QStringLiteral("ship"), byKey);
    const Run found =
        run({QStringLiteral("compute"), QStringLiteral("--database"), database, file});
    QCOMPARE(found.status, 0);
    QVERIFY(found.out.startsWith(QStringLiteral("Loading survey of Coral Meridian (LBP 217 m")));

    const QString missing =
        changedSample(dir, QStringLiteral("ship"), QJsonObject{{QStringLiteral("shipId"), 99}});
    const Run notFound =
        run({QStringLiteral("compute"), QStringLiteral("--database"), database, missing});
    QCOMPARE(notFound.status, 1);
    QCOMPARE(notFound.err, QStringLiteral("calvane-survey: ship 99 is not in the database\n"));

    QCOMPARE(run({QStringLiteral("compute")}).status, 2);
    QCOMPARE(run({QStringLiteral("--help")}).status, 0);
}

QTEST_GUILESS_MAIN(TestSurveyCommand)
#include "test_survey_command.moc"
