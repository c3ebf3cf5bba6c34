#include "connection.h"
#include "create_database.h"
#include "json_edit.h"
#include "register.h"
#include "rowset.h"
#include "survey.h"
#include "survey_calculation.h"
#include "survey_command.h"
#include "survey_file.h"
#include "survey_printout.h"
#include "survey_rules.h"
#include "text_list.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
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

QString writtenFile(const QTemporaryDir& dir, const QByteArray& content) {
    const QString file = dir.filePath(QStringLiteral("written.json"));
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    out.write(content);
    return file;
}

QByteArray sampleWith(const char* sample, const char* from, const char* to) {
    return fileBytes(samplePath(sample)).replace(from, to);
}

} // namespace

class TestSurveyCommand : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void computesTheSamples_data();
    void computesTheSamples();
    void jsonKeepsFullPrecision();
    void warnsAndStillComputes();
    void refuses_data();
    void refuses();
    void calculationGivesItsRefusal_data();
    void calculationGivesItsRefusal();
    void readsTheShipFromTheDatabase();
    void calculatesAnInlineShipWithoutAConnection_data();
    void calculatesAnInlineShipWithoutAConnection();
    void calculatingAgainGivesTheSameFigures_data();
    void calculatingAgainGivesTheSameFigures();
    void refusesWhatIsNoSurveyFile_data();
    void refusesWhatIsNoSurveyFile();
    void refusesADamagedShip_data();
    void refusesADamagedShip();
    void calculatesTheInitialDraftAlone_data();
    void calculatesTheInitialDraftAlone();
    void setsTheConstantBesideTheShipsEarlierSurveys();
    void escapesControlCharacters();
    void failsWhenTheOutputCannotBeWritten_data();
    void failsWhenTheOutputCannotBeWritten();
    void settingsMoveTheChecksAndTheUncertainty();

private:
    QTemporaryDir m_dir;
};

void TestSurveyCommand::initTestCase() {
    // The user's settings file is this test's own, empty unless a test
    // writes it.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
}

// clang-format off
void TestSurveyCommand::computesTheSamples_data() {
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("expected");
    // Every figure of the printouts was worked out independently of the
    // program before it was written down; the JSON files hold what the
    // command printed then, so that no change of the insides moves a digit.
    QTest::newRow("loading") << "loading-survey.json" << QStringList() << "loading-survey.txt";
    QTest::newRow("discharging") << "discharging-survey.json" << QStringList() << "discharging-survey.txt";
    QTest::newRow("loading json") << "loading-survey.json" << QStringList{QStringLiteral("--json")} << "loading-survey.json";
    QTest::newRow("discharging json") << "discharging-survey.json" << QStringList{QStringLiteral("--json")} << "discharging-survey.json";
}
// clang-format on

void TestSurveyCommand::computesTheSamples() {
    QFETCH(QString, sample);
    QFETCH(QStringList, options);
    QFETCH(QString, expected);
    const Run result = run(QStringList{QStringLiteral("compute")} + options +
                           QStringList{samplePath(sample.toLatin1().constData())});
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
    QVERIFY(result.out.contains(QStringLiteral("check (constant-negative): The constant -437.5 t "
                                               "is negative")));

    const QJsonObject json =
        QJsonDocument::fromJson(
            run({QStringLiteral("compute"), QStringLiteral("--json"), file}).out.toUtf8())
            .object();
    const QJsonObject check = json[QStringLiteral("checks")].toArray().first().toObject();
    QCOMPARE(check[QStringLiteral("code")].toString(), QStringLiteral("constant-negative"));
    QCOMPARE(check[QStringLiteral("figures")][QStringLiteral("constant")].toString(),
             QStringLiteral("-437.4953"));
}

// clang-format off
void TestSurveyCommand::refuses_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("reason");

    QTest::newRow("number instead of text") << "initial.density" << "#1" << 2 << "initial.density: a measured value must be a string of decimal text, not a JSON number";
    QTest::newRow("no voyage") << "voyage" << "" << 1 << "voyage: Incomplete data. Please enter Voyage-ID.";
    QTest::newRow("no mark distance") << "final.markDistances.mid" << "" << 1 << "final.markDistances.mid: Incomplete data. Please enter value for Mid X.";
    QTest::newRow("same draft twice") << "final.hydrostatics.above.draft" << "14.03" << 1 << "final: Invalid hydrostatic details...! Difference of Above & Below can't be zero.";
    QTest::newRow("unknown deductible item") << "final.deductions.31" << "5" << 1 << "final: deductible item 31 is not in the database";
    QTest::newRow("zero length between marks") << "initial.markDistances.fwd" << "-212.8" << 1 << "initial: Invalid draft mark distances. The length between the draft marks (LBP + Fwd X - Aft X) can't be 0.";
    QTest::newRow("past the largest decimal") << "initial.density" << "792281625142643375935439503350" << 2 << "initial.density: \"792281625142643375935439503350\" is too large to calculate with";
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

// clang-format off
void TestSurveyCommand::calculationGivesItsRefusal_data() {
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing field") << "loading-survey.json" << "cargo" << "" << "cargo: Incomplete data. Please enter value for cargo.";
    QTest::newRow("missing final mark distance") << "loading-survey.json" << "final.markDistances.aft" << "" << "final.markDistances.aft: Incomplete data. Please enter value for Aft X.";
    QTest::newRow("zero draft difference") << "loading-survey.json" << "final.hydrostatics.above.draft" << "14.03" << "final: Invalid hydrostatic details...! Difference of Above & Below can't be zero.";
    QTest::newRow("initial net of 0") << "discharging-survey.json" << "typedInitialNetDisplacement" << "0" << "Invalid value. Value of initial net displacement can be greater than 0 and less than 1000000.";
    QTest::newRow("negative B/L quantity") << "discharging-survey.json" << "billOfLadingQuantity" << "-1" << "Invalid value for Invalid value for Bill of Lading quantity. Please enter value 0 and 1000000.";
}
// clang-format on

void TestSurveyCommand::calculationGivesItsRefusal() {
    QFETCH(QString, sample);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString database = databaseFileIn(dir.path());
    createDatabase(database);
    gcnnStore = std::make_unique<Connection>(QStringLiteral("calculation"));
    const std::unique_ptr<void, void (*)(void*)> closed(&gcnnStore,
                                                        [](void*) { gcnnStore.reset(); });
    gcnnStore->open(database);
    QJsonObject json = QJsonDocument::fromJson(fileBytes(samplePath(qPrintable(sample)))).object();
    json = edited(json, field.split(u'.'), value);
    const QString file = writtenFile(dir, QJsonDocument(json).toJson());
    const SurveyFileResult read = readSurveyFile(file);
    QVERIFY2(read.document, qPrintable(read.error));
    {
        SurveyCalculation calculation(*read.document, 1);
        QCOMPARE(calculation.run(), reason);
        QVERIFY(calculation.warnings().isEmpty());
    }
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
    // An unset shell variable must not fall back on the database beside
    // the program.
    const Run unnamed =
        run({QStringLiteral("compute"), QStringLiteral("--database"), QString(), file});
    QCOMPARE(unnamed.status, 2);
    QVERIFY(
        unnamed.err.startsWith(QStringLiteral("calvane-survey: --database needs a file name\n")));
}

void TestSurveyCommand::calculatesAnInlineShipWithoutAConnection_data() {
    QTest::addColumn<QString>("sample");
    QTest::newRow("loading") << "loading-survey.json";
    QTest::newRow("discharging") << "discharging-survey.json";
}

// The ship the survey gives and the shipped deductible items need no
// register, and give every figure the same ship stored in one gives.
void TestSurveyCommand::calculatesAnInlineShipWithoutAConnection() {
    QFETCH(QString, sample);
    const SurveyFileResult read = readSurveyFile(samplePath(qPrintable(sample)));
    QVERIFY2(read.document, qPrintable(read.error));
    SurveyDocument survey = *read.document;
    QCOMPARE(applyFieldRules(survey), QString());

    QVERIFY(!gcnnStore);
    SurveyCalculation given(survey);
    QCOMPARE(given.run(), QString());
    QVERIFY(!gcnnStore);
    for (Stage stage : {Stage::Initial, Stage::Final}) {
        const DraftEntry& entry = stage == Stage::Initial ? survey.initial : survey.final;
        QVERIFY(!entry.deductions.isEmpty());
        Decimal total;
        for (const QString& quantity : entry.deductions)
            total = total + Decimal::fromText(quantity);
        const Variant counted = given.draft(stage).FinalResult()[TotalDeductibles];
        QVERIFY2(counted.toDecimal() == total, qPrintable(counted.toText()));
        QCOMPARE(given.draft(stage).Deductions().recordCount(), 8);
    }

    QTemporaryDir dir;
    createDatabase(databaseFileIn(dir.path()));
    QVERIFY(OpenConnection(dir.path()));
    const std::unique_ptr<void, void (*)(void*)> closed(&gcnnStore,
                                                        [](void*) { gcnnStore.reset(); });
    ShipRecord ship;
    ship.name = survey.particulars->name;
    ship.lbp = Decimal::fromText(survey.particulars->lbp);
    ship.lightShip = Decimal::fromText(survey.particulars->lightShip);
    SurveyCalculation stored(survey, int(Register(*gcnnStore).insertShip(ship)));
    QCOMPARE(stored.run(), QString());
    QCOMPARE(surveyAsJson(survey, given, given.warnings()),
             surveyAsJson(survey, stored, stored.warnings()));
    QCOMPARE(surveyAsText(survey, given, given.warnings()),
             surveyAsText(survey, stored, stored.warnings()));
}

void TestSurveyCommand::calculatingAgainGivesTheSameFigures_data() {
    calculatesAnInlineShipWithoutAConnection_data();
}

// As Calculate pressed again on the worksheet: the drafts keep their rows
// from the first time, one a deductible item, and find them again.
void TestSurveyCommand::calculatingAgainGivesTheSameFigures() {
    QFETCH(QString, sample);
    const SurveyFileResult read = readSurveyFile(samplePath(qPrintable(sample)));
    QVERIFY2(read.document, qPrintable(read.error));
    SurveyDocument survey = *read.document;
    QCOMPARE(applyFieldRules(survey), QString());
    SurveyCalculation calculation(survey);
    QCOMPARE(calculation.run(), QString());
    const QByteArray first = surveyAsJson(survey, calculation, calculation.warnings());
    QCOMPARE(calculation.run(), QString());
    QCOMPARE(surveyAsJson(survey, calculation, calculation.warnings()), first);
    for (Stage stage : {Stage::Initial, Stage::Final})
        QCOMPARE(calculation.draft(stage).Deductions().recordCount(), 8);
}

// clang-format off
void TestSurveyCommand::refusesWhatIsNoSurveyFile_data() {
    QTest::addColumn<QByteArray>("content"); // written to a file of its own
    QTest::addColumn<QString>("path");       // when there is no content
    QTest::addColumn<QString>("reason");

    const char* sample = "loading-survey.json";
    QTest::newRow("a reading given twice") << sampleWith(sample, "\"fwdPort\":", "\"fwdPort\": \"51.8\", \"fwdPort\":") << QString() << "initial.readings.fwdPort: the key is given twice";
    QTest::newRow("escape sequence in a value") << sampleWith(sample, "\"5.18\"", "\"5\\u001b[2J\"") << QString() << "initial.readings.fwdPort: \"5\\x1b[2J\" is not a number";
    QTest::newRow("over 4 MB") << fileBytes(samplePath(sample)) + QByteArray(4 * 1024 * 1024, ' ') << QString() << "file: larger than 4 MB, too large for a survey file";
    QTest::newRow("a folder") << QByteArray() << QStringLiteral(SAMPLES_DIR) << "file: a folder, not a survey file";
    QTest::newRow("missing") << QByteArray() << QStringLiteral(SAMPLES_DIR "/none.json") << "file: not found";
    QTest::newRow("a device that never ends") << QByteArray() << "/dev/zero" << "file: not a regular file";
}
// clang-format on

void TestSurveyCommand::refusesWhatIsNoSurveyFile() {
    QFETCH(QByteArray, content);
    QFETCH(QString, path);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString file = content.isEmpty() ? path : writtenFile(dir, content);
    const Run result = run({QStringLiteral("compute"), file});
    QCOMPARE(result.status, 2);
    QCOMPARE(result.out, QString());
    // The path once, then the reason.
    QCOMPARE(result.err,
             QStringLiteral("calvane-survey: ") + file + QStringLiteral(": ") + reason + u'\n');
}

// clang-format off
void TestSurveyCommand::refusesADamagedShip_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason");

    QTest::newRow("light ship not entered") << "UPDATE Ship SET LightShip = NULL" << "ship 1 (Coral Meridian) has no light ship in the database, and a survey without a light ship has no constant";
    QTest::newRow("LBP not entered") << "UPDATE Ship SET LBP = NULL" << "ship 1 (Coral Meridian) has no LBP in the database, and the drafts cannot be corrected without it";
    QTest::newRow("negative LBP") << "UPDATE Ship SET LBP = '-217'" << "ship 1 (Coral Meridian) in the database: LBP can only be a positive number greater than 0 and less than 1000.";
    QTest::newRow("LBP 0") << "UPDATE Ship SET LBP = '0'" << "ship 1 (Coral Meridian) in the database: LBP can only be a positive number greater than 0 and less than 1000.";
    QTest::newRow("negative light ship") << "UPDATE Ship SET LightShip = '-5'" << "ship 1 (Coral Meridian) in the database: Value of Light Ship can only be a positive number greater than 0 and less than 1000000.";
    QTest::newRow("no name") << "UPDATE Ship SET ShipName = NULL" << "ship 1 has no name in the database";
    QTest::newRow("LBP stored as a float") << "UPDATE Ship SET LBP = '1.0e-05'" << "ship 1 cannot be read from the database: The column LBP holds \"1.0e-05\", which does not fit its type.";
}
// clang-format on

void TestSurveyCommand::refusesADamagedShip() {
    QFETCH(QString, damage);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString database = databaseFileIn(dir.path());
    createDatabase(database);
    {
        Connection connection(QStringLiteral("damage"));
        connection.open(database);
        connection.execute(damage);
    }
    const QString file =
        changedSample(dir, QStringLiteral("ship"), QJsonObject{{QStringLiteral("shipId"), 1}});
    const Run result =
        run({QStringLiteral("compute"), QStringLiteral("--database"), database, file});
    QCOMPARE(result.status, 1);
    QCOMPARE(result.err, QStringLiteral("calvane-survey: ") + reason + u'\n');
}

// clang-format off
void TestSurveyCommand::calculatesTheInitialDraftAlone_data() {
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("result"); // the survey result the Initial draft gives

    QTest::newRow("loading: the constant") << "loading-survey.json" << "  Constant                       262.5047\n";
    QTest::newRow("discharging: cargo and constant") << "discharging-survey.json" << "  Cargo + Constant               76422.51251\n";
}
// clang-format on

void TestSurveyCommand::calculatesTheInitialDraftAlone() {
    QFETCH(QString, sample);
    QFETCH(QString, result);
    QTemporaryDir dir;
    const QJsonObject whole =
        QJsonDocument::fromJson(fileBytes(samplePath(sample.toLatin1().constData()))).object();
    const QString file = writtenFile(
        dir,
        QJsonDocument(edited(whole, {QStringLiteral("final")}, QJsonValue::Undefined)).toJson());
    const QString note =
        QStringLiteral("the Final draft is not taken yet; the results that need it are blank");

    const Run text = run({QStringLiteral("compute"), file});
    QCOMPARE(text.err, QString());
    QCOMPARE(text.status, 0);
    QVERIFY2(text.out.contains(result), qPrintable(text.out));
    QVERIFY(text.out.contains(QStringLiteral("FINAL DRAFT\n  not taken yet\n")));
    QVERIFY(text.out.endsWith(QStringLiteral("note: ") + note + u'\n'));

    const Run json = run({QStringLiteral("compute"), QStringLiteral("--json"), file});
    QCOMPARE(json.status, 0);
    const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QVERIFY(root.value(QStringLiteral("final")).isNull());
    QVERIFY(root.value(QStringLiteral("initial")).isObject());
    QCOMPARE(root.value(QStringLiteral("notes")).toArray(), QJsonArray{note});
}

// A name or text from a file may hold anything; the terminal gets it escaped.
void TestSurveyCommand::escapesControlCharacters() {
    QTemporaryDir dir;
    const QString file = changedSample(dir, QStringLiteral("ship.particulars.name"),
                                       QStringLiteral("Evil\nShip\u001b[31m\u202e"));
    const Run result = run({QStringLiteral("compute"), file});
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out.section(u'\n', 0, 0),
             QStringLiteral("Loading survey of Evil\\nShip\\x1b[31m\\u202e (LBP 217 m, light ship "
                            "10800 t)"));
}

void TestSurveyCommand::failsWhenTheOutputCannotBeWritten_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("a survey") << QStringList{QStringLiteral("compute"),
                                             samplePath("loading-survey.json")};
    QTest::newRow("the help") << QStringList{QStringLiteral("--help")};
}

void TestSurveyCommand::failsWhenTheOutputCannotBeWritten() {
    QFETCH(QStringList, arguments);
    QFile full(QStringLiteral("/dev/full"));
    QVERIFY(full.open(QIODevice::WriteOnly));
    QTextStream out(&full);
    QString err;
    QTextStream errStream(&err);
    QCOMPARE(runSurveyCommand(arguments, out, errStream), 2);
    errStream.flush();
    QVERIFY2(err.startsWith(QStringLiteral("calvane-survey: cannot write the output: ")),
             qPrintable(err));
}

// Saving a survey of a stored ship keeps its constant; the next survey's
// is set beside it, and a survey is never set beside itself. (The stored
// ship's summer deadweight is below the sample's: it warns of that too.)
void TestSurveyCommand::setsTheConstantBesideTheShipsEarlierSurveys() {
    QTemporaryDir dir;
    const QString database = databaseFileIn(dir.path());
    createDatabase(database);
    const QJsonObject sample =
        edited(QJsonDocument::fromJson(fileBytes(samplePath("loading-survey.json"))).object(),
               {QStringLiteral("ship")}, QJsonObject{{QStringLiteral("shipId"), 1}});
    const QString earlier = dir.filePath(QStringLiteral("earlier.json"));
    {
        gcnnStore = std::make_unique<Connection>(QStringLiteral("test"));
        gcnnStore->open(database);
        Survey survey(Worksheet::Loading);
        survey.open(*readSurveyFile(writtenFile(dir, QJsonDocument(sample).toJson())).document,
                    QString());
        QCOMPARE(survey.save(earlier), QString());
        gcnnStore.reset();
    }
    const auto checks = [&](const QString& file) {
        return run({QStringLiteral("compute"), QStringLiteral("--database"), database, file})
            .out.split(u'\n')
            .filter(QStringLiteral("check (constant"));
    };
    QCOMPARE(checks(earlier), QStringList());
    // 50 t less ballast on arrival: 50 t more constant.
    const QString later = dir.filePath(QStringLiteral("later.json"));
    QFile out(later);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(QJsonDocument(edited(sample,
                                   {QStringLiteral("initial"), QStringLiteral("deductions"),
                                    QStringLiteral("26")},
                                   QStringLiteral("20300.8")))
                  .toJson());
    out.close();
    QCOMPARE(checks(later),
             QStringList{QStringLiteral("check (constant-history): The constant 297.5 t is 20.2 % "
                                        "away from 247.5 t, this ship's average over 1 earlier "
                                        "survey")});
}

void TestSurveyCommand::settingsMoveTheChecksAndTheUncertainty() {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("calvane"),
                       QStringLiteral("calvane"));
    settings.setValue(QStringLiteral("Checks/uncertainty/reading"), QStringLiteral("0.02"));
    settings.setValue(QStringLiteral("Checks/nothing"), QStringLiteral("1"));
    settings.sync();
    const Run result = run({QStringLiteral("compute"), samplePath("loading-survey.json")});
    settings.clear();
    settings.sync();
    QCOMPARE(result.status, 0);
    QCOMPARE(result.err,
             QStringLiteral("calvane-survey: Setting Checks/nothing is not used (nothing: no such "
                            "setting).\n"));
    // Twice the readings' uncertainty: their share of the cargo's doubles.
    QVERIFY(result.out.contains(
        QStringLiteral("final draft readings 156 t, initial draft readings 147 t")));
}

QTEST_GUILESS_MAIN(TestSurveyCommand)
#include "test_survey_command.moc"
