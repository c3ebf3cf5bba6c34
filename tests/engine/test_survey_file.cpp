#include "json_edit.h"
#include "survey_file.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(SurveyDocument)

namespace {

QJsonValue jsonText(const char* text) {
    return QJsonValue(QString::fromUtf8(text));
}

SurveyDocument sample(const char* file) {
    return readSurveyFile(QStringLiteral(SAMPLES_DIR "/") + QLatin1String(file)).document.value();
}

// The other ship form, a reading not yet taken, blanks, and digits no
// binary floating point holds.
SurveyDocument awkwardSurvey() {
    SurveyDocument s = sample("loading-survey.json");
    s.particulars.reset();
    s.shipID = 3;
    s.final = DraftEntry{};
    s.initial.fwdX = QStringLiteral("0.0000000000000000000000000001");
    s.initial.midX.clear();
    s.initial.deductions[28] = QString();
    s.initial.deductions[29] = QStringLiteral("79228162514264337593543950335");
    s.initial.comments = QStringLiteral("\"Pilot\" aboard\nsecond line, \u00d6l \u2014 ok");
    s.typedInitialNetDisplacement = QStringLiteral("11062.50470");
    s.initial.table = TableUse{4, QStringLiteral("Booklet \"B\", p. 12"), QStringLiteral("1.000")};
    s.surveyParticulars.place = QStringLiteral("Berth 3, Finucane Island");
    s.surveyParticulars.surveyorRole = QStringLiteral("joint");
    s.surveyParticulars.attendedBy = QStringLiteral("Master \"Ivanov\", C/O Lee\nowners' surveyor");
    s.surveyParticulars.swell = QStringLiteral("0.5 m from SW");
    return s;
}

// What a worksheet saved mid-survey holds: a Final draft begun, and the
// ship's key with the particulars it had.
SurveyDocument partlyTaken() {
    SurveyDocument s = sample("discharging-survey.json");
    s.shipID = 7;
    s.final = DraftEntry{};
    s.final.date = QStringLiteral("13-07-2024");
    s.final.fwdPort = QStringLiteral("7.5");
    s.final.below.tpc = QStringLiteral("60.12");
    return s;
}

} // namespace

class TestSurveyFile : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void refusesBadFields_data();
    void refusesBadFields();
    void refusesWhatIsNotASurveyFile_data();
    void refusesWhatIsNotASurveyFile();
    void writesOnlyWhatItCanReadBack();
};

// clang-format off
void TestSurveyFile::roundTrip_data() {
    QTest::addColumn<SurveyDocument>("document");
    QTest::addColumn<int>("version");

    QTest::newRow("loading sample") << sample("loading-survey.json") << 1;
    QTest::newRow("discharging sample") << sample("discharging-survey.json") << 1;
    QTest::newRow("awkward, with the survey's particulars") << awkwardSurvey() << 3;
    QTest::newRow("partly taken") << partlyTaken() << 2;
}
// clang-format on

void TestSurveyFile::roundTrip() {
    QFETCH(SurveyDocument, document);
    QFETCH(int, version);
    QCOMPARE(QJsonDocument::fromJson(serializeSurvey(document)).object().value(u"version").toInt(),
             version);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("survey.json"));
    QCOMPARE(writeSurveyFile(document, path), QString());
    const SurveyFileResult read = readSurveyFile(path);
    QCOMPARE(read.error, QString());
    QVERIFY(read.document == document);
}

// clang-format off
void TestSurveyFile::refusesBadFields_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QJsonValue>("value"); // undefined: the key is removed
    QTest::addColumn<QString>("error");

    const QJsonValue removed(QJsonValue::Undefined);
    const QString notNumber =
        QStringLiteral(": a measured value must be a string of decimal text, not a JSON number");

    QTest::newRow("number in a hydrostatic line") << "initial.hydrostatics.below.tpc" << QJsonValue(67) << QStringLiteral("initial.hydrostatics.below.tpc") + notNumber;
    QTest::newRow("true as a reading") << "final.readings.aftStbd" << QJsonValue(true) << "final.readings.aftStbd: a measured value must be a string of decimal text";

    QTest::newRow("reading missing") << "final.readings.midStbd" << removed << "final.readings.midStbd: missing";
    QTest::newRow("reading blank") << "initial.readings.fwdPort" << jsonText(" ") << "initial.readings.fwdPort: must not be blank";
    QTest::newRow("MCTC value missing") << "final.mctc.minus50.below" << removed << "final.mctc.minus50.below: missing";

    QTest::newRow("decimal comma") << "initial.readings.fwdPort" << jsonText("7,5") << "initial.readings.fwdPort: \"7,5\" is not a number";
    QTest::newRow("letters where a blank is allowed") << "initial.markDistances.aft" << jsonText("abc") << "initial.markDistances.aft: \"abc\" is not a number";

    QTest::newRow("thirty digits") << "initial.density" << jsonText("123456789012345678901234567890") << "initial.density: \"123456789012345678901234567890\" is too large to calculate with";
    QTest::newRow("a megabyte of digits, quoted in part") << "initial.density" << QJsonValue(QString(1000000, u'1')) << "initial.density: \"1111111111111111111111111111111111111111...\" (1000000 characters) is too long for a measured value";
    QTest::newRow("a long date, quoted in part") << "final.date" << QJsonValue(QString(50, u'9')) << "final.date: \"9999999999999999999999999999999999999999...\" (50 characters) is not a date written dd-MM-yyyy";
    QTest::newRow("no 31 February") << "initial.date" << jsonText("31-02-2024") << "initial.date: \"31-02-2024\" is not a date written dd-MM-yyyy";
    QTest::newRow("time 24:00") << "final.time" << jsonText("24:00") << "final.time: \"24:00\" is not a time written HH:mm";

    const QString eitherShip = QStringLiteral("ship: give either \"shipId\" or \"particulars\"");
    QTest::newRow("both ship forms") << "ship.shipId" << QJsonValue(3) << eitherShip;
    QTest::newRow("neither ship form") << "ship.particulars" << removed << eitherShip;

    QTest::newRow("unknown key in the survey's particulars") << "surveyParticulars.wind" << jsonText("NE 4") << "surveyParticulars.wind: unknown key";
    QTest::newRow("weather not a text") << "surveyParticulars.weather" << QJsonValue(4) << "surveyParticulars.weather: must be a string";
    QTest::newRow("unknown key in readings") << "initial.readings.fwdprot" << jsonText("5.2") << "initial.readings.fwdprot: unknown key";

    QTest::newRow("deduction named by item name") << "initial.deductions.ballast" << jsonText("1") << "initial.deductions.ballast: a deductible item "
           "must be named by its item id, a positive whole number";

    QTest::newRow("ship 0") << "ship" << QJsonValue(QJsonObject{{QStringLiteral("shipId"), 0}}) << "ship.shipId: must be a positive whole number";
    // "026" read as 26 could meet a "26" and lose one of the two quantities.
    QTest::newRow("item id with a leading zero") << "final.deductions.026" << jsonText("1") << "final.deductions.026: a deductible item must be named by its item id, a positive whole number";

    QTest::newRow("table without a key") << "final.table" << QJsonValue(QJsonObject{{QStringLiteral("density"), QStringLiteral("1.025")}}) << "final.table.id: missing";
    QTest::newRow("table key 0") << "final.table" << QJsonValue(QJsonObject{{QStringLiteral("id"), 0}, {QStringLiteral("density"), QStringLiteral("1.025")}}) << "final.table.id: must be a table's key";
    QTest::newRow("table in no water") << "final.table" << QJsonValue(QJsonObject{{QStringLiteral("id"), 2}, {QStringLiteral("density"), QStringLiteral("0")}}) << "final.table.density: must be greater than 0";
    QTest::newRow("another format") << "format" << jsonText("calvane-report") << "format: not a Calvane Lt survey file";
    QTest::newRow("newer version") << "version" << QJsonValue(4) << "version: 4 is newer than this program reads";
    QTest::newRow("unknown worksheet") << "worksheet" << jsonText("load") << "worksheet: must be \"loading\" or \"discharging\"";
}
// clang-format on

void TestSurveyFile::refusesBadFields() {
    QFETCH(QString, path);
    QFETCH(QJsonValue, value);
    QFETCH(QString, error);
    const QJsonObject good =
        QJsonDocument::fromJson(serializeSurvey(sample("discharging-survey.json"))).object();
    const QJsonObject bad = edited(good, path.split(QLatin1Char('.')), value);
    const SurveyFileResult result = parseSurvey(QJsonDocument(bad).toJson());
    QCOMPARE(result.error, error);
    QVERIFY(!result.document);
}

// clang-format off
void TestSurveyFile::refusesWhatIsNotASurveyFile_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("error"); // how the line starts: Qt words the JSON errors

    QTest::newRow("empty") << QByteArray() << "file: not JSON (";
    QTest::newRow("array") << QByteArray("[]") << "file: the top level must be a JSON object";
    QTest::newRow("a key twice") << QByteArray(R"({"format": "calvane-survey", "version": 1, "version": 1})") << "version: the key is given twice";
    QTest::newRow("a key twice behind a byte-order mark") << QByteArray("\xEF\xBB\xBF" R"({"format": "calvane-survey", "version": 1, "version": 1})") << "version: the key is given twice";
    QTest::newRow("a key twice, once escaped") << QByteArray(R"({"initial": {"readings": {"fwdPort": "5.18", "fwd\u0050ort": "51.8"}}})") << "initial.readings.fwdPort: the key is given twice";
    QTest::newRow("the same key in two objects") << QByteArray(R"({"a": {"k": [{"k": 1}, {"k": 2}]}, "b": {"k": "}"}})") << "format: not a Calvane Lt survey file";
    QTest::newRow("another program's JSON") << QByteArray(R"({"name": "x", "version": "2.1"})") << "format: not a Calvane Lt survey file";
}
// clang-format on

void TestSurveyFile::refusesWhatIsNotASurveyFile() {
    QFETCH(QByteArray, json);
    QFETCH(QString, error);
    const SurveyFileResult result = parseSurvey(json);
    QVERIFY2(result.error.startsWith(error), qPrintable(result.error));
    QVERIFY(!result.document);
}

void TestSurveyFile::writesOnlyWhatItCanReadBack() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("survey.json"));
    const SurveyDocument survey = sample("discharging-survey.json");
    QCOMPARE(writeSurveyFile(survey, path), QString());

    SurveyDocument halfTaken = survey;
    halfTaken.final.date = QStringLiteral("31-02-2024");
    QCOMPARE(writeSurveyFile(halfTaken, path),
             QStringLiteral("final.date: \"31-02-2024\" is not a date written dd-MM-yyyy"));

    const SurveyFileResult kept = readSurveyFile(path);
    QVERIFY(kept.document == survey);
}

QTEST_GUILESS_MAIN(TestSurveyFile)
#include "test_survey_file.moc"
