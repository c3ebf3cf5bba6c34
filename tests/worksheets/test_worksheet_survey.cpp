#include "survey_command.h"
#include "survey_file.h"
#include "survey_typing.h"

#include <QJsonDocument>
#include <QJsonObject>

Q_DECLARE_METATYPE(Worksheet)

namespace {

QString sample(const char* name) {
    return QStringLiteral(SAMPLES_DIR "/") + QString::fromLatin1(name);
}

// What calvane-survey prints as results for the same file.
QJsonObject commandResults(const QString& file) {
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    runSurveyCommand({QStringLiteral("compute"), QStringLiteral("--json"), file}, outStream,
                     errStream);
    outStream.flush();
    return QJsonDocument::fromJson(out.toUtf8())
        .object()
        .value(QStringLiteral("results"))
        .toObject();
}

bool sameNumber(const QString& shown, const QString& expected) {
    const std::optional<Decimal> a = Decimal::tryParse(shown);
    const std::optional<Decimal> b = Decimal::tryParse(expected);
    if (!a || !b || *a != *b)
        qWarning() << "shown" << shown << "expected" << expected;
    return a && b && *a == *b;
}

} // namespace

class TestWorksheetSurvey : public QObject {
    Q_OBJECT

private slots:
    void typedSurveyAgreesWithTheCommand_data();
    void typedSurveyAgreesWithTheCommand();
};

void TestWorksheetSurvey::typedSurveyAgreesWithTheCommand_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<Worksheet>("kind");
    QTest::newRow("loading") << sample("loading-survey.json") << Worksheet::Loading;
    QTest::newRow("discharging") << sample("discharging-survey.json") << Worksheet::Discharging;
}

void TestWorksheetSurvey::typedSurveyAgreesWithTheCommand() {
    QFETCH(QString, file);
    QFETCH(Worksheet, kind);
    const SurveyFileResult read = readSurveyFile(file);
    QVERIFY2(read.document, qPrintable(read.error));
    const SurveyDocument& survey = *read.document;
    QCOMPARE(survey.particulars->lbp, QStringLiteral("217"));
    QCOMPARE(survey.particulars->lightShip, QStringLiteral("10800"));
    const QJsonObject expected = commandResults(file);
    WorksheetFixture f(kind);

    using namespace survey_typing;
    typeOpening(f, survey);
    typeDraft(f, survey, survey.initial);
    QCOMPARE(f.messages.texts(), QStringList());
    const auto result = [&](const char* name) {
        return expected.value(QString::fromLatin1(name)).toString();
    };
    if (kind == Worksheet::Loading) {
        QVERIFY(sameNumber(f.find("txtConstant")->text(), result("Constant")));
    } else {
        QVERIFY(sameNumber(f.cell("fgrdFinalResult", 11, 1), result("Cargo + Constant")));
        QVERIFY(sameNumber(f.find("txtAssumedConstant")->text(), result("Assumed Constant")));
    }

    enterFinalTab(f);
    typeDraft(f, survey, survey.final);
    if (kind == Worksheet::Loading) {
        QVERIFY(sameNumber(f.find("txtTotCargoLoaded")->text(), result("Total Cargo Loaded")));
    } else {
        QVERIFY(sameNumber(f.find("txtFinTotCargoDis")->text(), result("Total Cargo Discharged")));
        QVERIFY(sameNumber(f.find("txtConstant")->text(), result("Constant")));
    }
    if (qEnvironmentVariableIsSet("CALVANE_SCREENSHOT"))
        f.worksheet->grab().save(qEnvironmentVariable("CALVANE_SCREENSHOT"));
}

QTEST_MAIN(TestWorksheetSurvey)
#include "test_worksheet_survey.moc"
